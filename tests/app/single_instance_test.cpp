// Single instance: a second real orbex process finds the first through "Orbex000", makes it
// restore its main window and ends at once, silently, without touching its settings.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>

#include "app/orbex_app.h"
#include "app/orbex_window.h"
#include "app_test_support.h"
#include "platform/message_box_sink.h"
#include "platform/settings_store.h"

namespace orbex {
namespace {

class SingleInstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        runtime = dir.path() + QStringLiteral("/runtime");
        ASSERT_TRUE(QDir().mkpath(runtime));
        ::chmod(runtime.toLocal8Bit().constData(), 0700);
        savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    void TearDown() override {
        for (QProcess* process : {&first, &second}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(2000);
            }
        }
        if (savedRuntime.isEmpty()) {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            qputenv("XDG_RUNTIME_DIR", savedRuntime);
        }
    }
    // Starts orbex with its own settings file and program directory.
    void Start(QProcess& process, const QString& name, const QStringList& arguments = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("ORBEX_REGISTRY"), dir.path() + "/" + name + ".reg");
        env.insert(QStringLiteral("ORBEX_HOME"), dir.path() + "/" + name);
        env.insert(QStringLiteral("ORBEX_SERIAL_PORTS"), QString());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ORBEX_BINARY), arguments);
        ASSERT_TRUE(process.waitForStarted(5000));
    }
    bool SocketExists() const { return QFile::exists(runtime + QStringLiteral("/Orbex000")); }

    QTemporaryDir dir;
    QString runtime;
    QByteArray savedRuntime;
    QProcess first;
    QProcess second;
};

TEST_F(SingleInstanceTest, ASecondProcessEndsAtOnceAndTheFirstKeepsRunning) {
    Start(first, QStringLiteral("first"));
    ASSERT_TRUE(test::WaitFor([&] { return SocketExists(); }, 10000));

    QElapsedTimer timer;
    timer.start();
    Start(second, QStringLiteral("second"), {QStringLiteral("--ignored"), QStringLiteral("x")});
    // It gives the first copy at most half a second; the time is reported, not asserted.
    ASSERT_TRUE(second.waitForFinished(5000));
    RecordProperty("second_copy_ms", static_cast<int>(timer.elapsed()));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().isEmpty()) << "the second copy ends silently";
    EXPECT_FALSE(QFile::exists(dir.path() + "/second.reg")) << "it reads and writes no settings";

    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(5000));

    // With the first copy gone, a new start becomes the running copy.
    Start(second, QStringLiteral("second"));
    EXPECT_FALSE(second.waitForFinished(1500));
    EXPECT_EQ(second.state(), QProcess::Running);
}

TEST_F(SingleInstanceTest, TheRunningCopyRestoresItsMinimisedMainWindow) {
    test::TestHome home;
    MessageBoxSink messages;
    COrbexApp app;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_NE(app.mainWindow(), nullptr);
    EXPECT_TRUE(app.mainWindow()->isVisible());
    app.mainWindow()->showMinimized();
    ASSERT_TRUE(app.mainWindow()->isMinimized());

    Start(second, QStringLiteral("second"));
    EXPECT_TRUE(test::WaitFor([&] { return !app.mainWindow()->isMinimized(); }, 3000));
    EXPECT_TRUE(test::WaitFor([&] { return second.state() == QProcess::NotRunning; }, 3000));

    // A second instance inside this process is refused too.
    COrbexApp again;
    EXPECT_FALSE(again.InitInstance());
    EXPECT_EQ(again.mainWindow(), nullptr);
    app.ExitInstance(0);
    EXPECT_FALSE(QFile::exists(runtime + QStringLiteral("/Orbex000.lock")));
}

}  // namespace
}  // namespace orbex
