#include "app_test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/settings_store.h"
#include "tests/support/test_files.h"

namespace orbex::test {

TestHome::TestHome() {
    SharedSettingsStore().SetPath(storePath());
    setenv("ORBEX_HOME", path("home").c_str(), 1);
}

TestHome::~TestHome() {
    SharedSettingsStore().SetPath({});
    unsetenv("ORBEX_HOME");
}

std::string TestHome::path(const std::string& name) const {
    return dir_.path().toStdString() + "/" + name;
}

std::string TestHome::ReadFile(const std::string& name) const {
    return Slurp(name.front() == '/' ? name : path(name));
}

void TestHome::WriteFile(const std::string& name, const std::string& content) const {
    std::ofstream out(name.front() == '/' ? name : path(name), std::ios::binary);
    out << content;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void Pump(int milliseconds) {
    WaitFor([] { return false; }, milliseconds);
}

}  // namespace orbex::test
