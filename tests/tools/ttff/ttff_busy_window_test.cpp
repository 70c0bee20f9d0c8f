// The TTFF window against vm8140-sim's mixed stream behind a busy main window: received lines
// reach the window in bursts, so lines from before a reset arrive after the reset went out.
// ORBEX_TTFF_SERIES sets the series length (COLD; 2 unless given) and runs the simulator at one
// epoch a second with a 5-second cold start.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "gui/main_window_messages.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/window_messages.h"
#include "tests/support/sim_process.h"
#include "tests/tools/ttff/ttff_dialog_support.h"
#include "tools/ttff/ttff_dialog.h"
#include "tools/ttff/ttff_window.h"

namespace orbex {
namespace {

using test::Button;
using test::Items;

// The simulator's pseudo-terminal, read line by line on a thread of its own.
class SimPort {
  public:
    explicit SimPort(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios raw{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &raw) == 0) {
            ::cfmakeraw(&raw);
            raw.c_cc[VMIN] = 0;
            raw.c_cc[VTIME] = 1;  // reads return within 0.1 s, so the thread sees the stop
            ::tcsetattr(fd_, TCSANOW, &raw);
        }
        reader_ = std::thread([this] { Read(); });
    }
    ~SimPort() {
        stop_ = true;
        reader_.join();
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool open() const { return fd_ >= 0; }
    void Write(const char* bytes, std::size_t count) {
        EXPECT_EQ(::write(fd_, bytes, count), static_cast<ssize_t>(count));
    }
    std::deque<std::string> Take() {
        std::lock_guard lock(mutex_);  // held to swap the received lines out
        return std::exchange(lines_, {});
    }

  private:
    void Read() {
        std::string partial;
        char buffer[512];
        while (!stop_ && fd_ >= 0) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            for (ssize_t i = 0; i < n; ++i) {
                partial.push_back(buffer[i]);
                if (buffer[i] == '\n') {
                    std::lock_guard lock(mutex_);  // held to append one line
                    lines_.push_back(std::exchange(partial, {}));
                }
            }
        }
    }

    int fd_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::deque<std::string> lines_;
    std::thread reader_;
};

TEST(TtffBusyWindowTest, ColdSeriesCountsEveryCycleWithoutFalseErrors) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("ttff_busy_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    ::setenv("ORBEX_HOME", dir.c_str(), 1);
    SharedSettingsStore().SetPath((dir / "ORBEX.reg").string());
    const std::string path = (dir / "sim").string();
    // A long series (the check of a whole evening's run) uses the receiver's own pace.
    const bool longSeries = std::getenv("ORBEX_TTFF_SERIES") != nullptr;
    testing::SimProcess sim(
        ORBEX_SIM_EXE, {"--ttff-cold", longSeries ? "5" : "3", "--rate", longSeries ? "1" : "5",
                        "--format", "mixed", "--link", path});
    ASSERT_TRUE(testing::SimProcess::WaitForPath(path));
    SimPort port(path);
    ASSERT_TRUE(port.open());
    MessageBoxFunction previousBox =
        SetMessageBoxFunction([](const MessageRequest&) { return MessageResult::Ok; });
    SetMainWindowHandler([&port](unsigned m, std::uintptr_t w, std::intptr_t l) {
        if (m == UWM_SEND_TO_RECEIVER) {
            port.Write(reinterpret_cast<const char*>(w), static_cast<std::size_t>(l));
        }
        return std::intptr_t{0};
    });
    QPointer<CTtffWnd> window = new CTtffWnd(QString());
    // The main window, busy with other monitor windows, hands the lines on every 0.4 s.
    QTimer drain;
    QObject::connect(&drain, &QTimer::timeout, [&port, &window] {
        for (const std::string& line : port.Take()) {
            if (window) {
                window->OnReceiverLine(line);
            }
        }
    });
    drain.start(400);

    CTtffDlg* dialog = window->dialog();
    const int count =
        std::getenv("ORBEX_TTFF_SERIES") ? std::atoi(std::getenv("ORBEX_TTFF_SERIES")) : 2;
    dialog->startModeList()->setCurrentIndex(3);
    dialog->maxCountList()->setCurrentText(QString::number(count));
    Button(window, "START")->click();
    test::WaitForCount(dialog, count);
    const QStringList items = Items(dialog->resultList());
    EXPECT_EQ(dialog->countBox()->text(), QString::number(count));
    EXPECT_TRUE(items.filter(QStringLiteral("Error")).isEmpty()) << items.join("|").toStdString();
    EXPECT_EQ(items.filter(QStringLiteral("ColdStart")).size(), count);
    EXPECT_EQ(items.filter(QStringLiteral("TTFF TIME = ")).size(), count);
    if (longSeries) {
        std::printf("%s\n", items.join("\n").toLocal8Bit().constData());
    }
    drain.stop();
    delete window.data();
    SetMainWindowHandler({});
    SetMessageBoxFunction(previousBox);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orbex
