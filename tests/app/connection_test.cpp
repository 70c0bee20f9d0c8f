// Connect, Disconnect and the end of a replay against a recording, a pseudo-terminal and the
// stand-in receiver; the stored CONNECT flag; the console log on a live link; the port
// settings in the store and the "Configure COM port" dialog.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <atomic>
#include <filesystem>
#include <thread>

#include "app/orbex_window.h"
#include "app/port_settings_dialog.h"
#include "app/port_settings_store.h"
#include "app_test_support.h"
#include "gui/main_window_messages.h"
#include "link/line_queue.h"
#include "link/port_list.h"
#include "platform/message_box_sink.h"
#include "platform/settings_store.h"
#include "platform/window_messages.h"
#include "tests/support/placeholder_window.h"
#include "tests/support/sim_process.h"

namespace orbex {
namespace {

namespace fs = std::filesystem;

using test::kGga;

// Sets an environment variable for the object's lifetime.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// The master side of a pseudo-terminal; the slave path is what Orbex opens.
class PseudoTerminal {
  public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            slave_ = ptsname(master_);
        }
    }
    ~PseudoTerminal() {
        if (master_ >= 0) {
            close(master_);
        }
    }
    const std::string& slave() const { return slave_; }
    void Send(const std::string& bytes) {
        ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string Receive() {
        std::string out;
        char buffer[256];
        int flags = fcntl(master_, F_GETFL);
        fcntl(master_, F_SETFL, flags | O_NONBLOCK);
        for (ssize_t n; (n = read(master_, buffer, sizeof buffer)) > 0;) {
            out.append(buffer, static_cast<std::size_t>(n));
        }
        fcntl(master_, F_SETFL, flags);
        return out;
    }

  private:
    int master_ = -1;
    std::string slave_;
};

class ConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SharedLineQueue().Clear();
        InstallPlainWindows();  // plain windows count what they get
    }
    void TearDown() override {
        window.reset();
        SharedLineQueue().Clear();
    }
    void MakeWindow() {
        window = std::make_unique<COrbexWnd>();
        ASSERT_TRUE(window->Create());
    }
    CPlaceholderWnd* Console() { return dynamic_cast<CPlaceholderWnd*>(window->slotWindow(3)); }
    CPlaceholderWnd* General() { return dynamic_cast<CPlaceholderWnd*>(window->slotWindow(0)); }
    std::int32_t StoredConnect() {
        std::int32_t value = -1;
        ReadNumber("CONFIG", "CONNECT", value);
        return value;
    }
    std::string Recording(int lines) {
        std::string text;
        for (int i = 0; i < lines; ++i) {
            text += i % 2 ? kGga : "unknown line " + std::to_string(i) + "\r\n";
        }
        home.WriteFile("replay.txt", text);
        return home.path("replay.txt");
    }

    test::TestHome home;
    MessageBoxSink messages;
    std::unique_ptr<COrbexWnd> window;
};

TEST_F(ConnectionTest, AReplayRunsToItsEndAndDisconnects) {
    MakeWindow();
    window->SetReplayPath(QString::fromStdString(Recording(6)));
    window->OnCommand(40004);
    window->OnCommand(40001);
    window->OnCommand(40009);
    EXPECT_TRUE(window->connected());
    EXPECT_EQ(StoredConnect(), 1) << "every Connect stores CONNECT = 1";
    EXPECT_FALSE(window->action(40009)->isEnabled());
    EXPECT_TRUE(window->action(40009)->isChecked());

    ASSERT_TRUE(test::WaitFor([&] { return !window->connected(); }, 5000));
    EXPECT_EQ(Console()->lineCount(), 6);
    EXPECT_EQ(General()->recordCount(), 3) << "only the decoded lines";
    EXPECT_TRUE(window->action(40009)->isEnabled());
    bool endOfFile = false;
    for (const std::string& text : messages.Texts()) {
        endOfFile = endOfFile || text == "End of file";
    }
    EXPECT_TRUE(endOfFile);
    EXPECT_EQ(StoredConnect(), 1) << "Disconnect leaves the stored flag alone";

    // The three fixes went through the main window's decoder; the next Connect starts its
    // samples afresh before any line of the new link is dispatched.
    EXPECT_EQ(window->decoder().samples().sampleNext(), 3);
    window->OnCommand(40009);
    EXPECT_EQ(window->decoder().samples().sampleNext(), 0);
    ASSERT_TRUE(test::WaitFor([&] { return !window->connected(); }, 5000));
    EXPECT_EQ(window->decoder().samples().sampleNext(), 3);
}

TEST_F(ConnectionTest, ReplayingTheDataLogItIsWritingIsRefused) {
    const std::string log = Recording(4);
    WriteString("CONFIG", "LOGPATH", home.path("").c_str());
    WriteString("CONFIG", "LOGFILE", "replay.txt");
    WriteNumber("CONFIG", "LOGON", 1);
    MakeWindow();
    ASSERT_TRUE(window->dataLog().IsOpen());
    const auto size = fs::file_size(log);
    window->SetReplayPath(QString::fromStdString(log));
    window->OnCommand(40009);
    EXPECT_FALSE(window->connected());
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find(log + "\nis the GPS data log"), std::string::npos);
    test::Pump(100);
    EXPECT_EQ(fs::file_size(log), size);
}

TEST_F(ConnectionTest, ALateReplayEndOfAnOldLinkLeavesTheNewOneConnected) {
    MakeWindow();
    window->SetReplayPath(QString::fromStdString(Recording(5000)));
    window->OnCommand(40009);
    window->OnCommand(40009);  // reconnect: a fresh link replaces the old one
    ASSERT_TRUE(window->connected());
    window->OnPrivateMessage(UWM_REPLAY_END, 0, 1);  // tagged with the first link
    EXPECT_TRUE(window->connected());
    window->OnCommand(40010);
    EXPECT_FALSE(window->connected());
}

TEST_F(ConnectionTest, SendsFromAWorkerDuringDisconnectNeverDeadlock) {
    MakeWindow();
    window->SetReplayPath(QString::fromStdString(Recording(5000)));
    window->OnCommand(40009);
    std::atomic<bool> stop{false};
    std::atomic<int> answered{0};
    std::thread worker([&] {
        const char command[] = "@SR\r\n";
        while (!stop) {
            SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(command), 5);
            SendToMainWindow(UWM_QUERY_INPUT_COUNT, 0, 0);
            ++answered;
        }
    });
    ASSERT_TRUE(test::WaitFor([&] { return answered > 10; }));
    window->OnCommand(40010);
    EXPECT_FALSE(window->connected());
    const int before = answered;
    ASSERT_TRUE(test::WaitFor([&] { return answered > before + 10; }))
        << "sends go on without a link";
    stop = true;
    test::WaitFor([&] { return false; }, 20);
    worker.join();
}

TEST_F(ConnectionTest, QuittingWithALinkOpenConnectsAtTheNextStart) {
    MakeWindow();
    window->SetReplayPath(QString::fromStdString(Recording(5000)));
    window->OnCommand(40009);
    ASSERT_TRUE(window->connected());
    window.reset();
    EXPECT_EQ(StoredConnect(), 1);

    // The next start connects to the serial port (no replay file is remembered).
    PseudoTerminal pty;
    ScopedEnv ports("ORBEX_SERIAL_PORTS", pty.slave());
    MakeWindow();
    EXPECT_TRUE(window->connected()) << "connected during creation, before the window shows";
    EXPECT_FALSE(window->isVisible());
    window->OnCommand(40010);
    window.reset();
    EXPECT_EQ(StoredConnect(), 0) << "no link open at the end";

    MakeWindow();
    EXPECT_FALSE(window->connected());
}

TEST_F(ConnectionTest, ASerialLinkDeliversLinesAndCarriesCommands) {
    PseudoTerminal pty;
    ScopedEnv ports("ORBEX_SERIAL_PORTS", pty.slave());
    MakeWindow();
    window->OnCommand(40004);
    window->OnCommand(40009);
    ASSERT_TRUE(window->connected()) << (messages.Texts().empty() ? "" : messages.Texts()[0]);
    test::Pump(300);  // the reader starts after a short pause
    pty.Send(kGga + "second line\r\n");
    ASSERT_TRUE(test::WaitFor([&] { return Console()->lineCount() == 2; }));

    const std::string command = "@CD\r\n";
    EXPECT_EQ(
        SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(command.data()),
                         static_cast<std::intptr_t>(command.size())),
        1);
    ASSERT_TRUE(test::WaitFor([&] { return pty.Receive().find("@CD\r\n") != std::string::npos; }));
    window->OnCommand(40010);
    EXPECT_EQ(
        SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(command.data()),
                         static_cast<std::intptr_t>(command.size())),
        0)
        << "without a link the bytes are dropped";
}

TEST_F(ConnectionTest, TheConsoleLogRecordsSerialLinesUntilDisconnect) {
    PseudoTerminal pty;
    ScopedEnv ports("ORBEX_SERIAL_PORTS", pty.slave());
    MakeWindow();
    const std::string logPath = home.path("console.log");
    std::vector<std::string> proposed;
    window->SetChooseFile([&](const QString&, const std::string& initial) {
        proposed.push_back(initial);
        return std::optional<std::string>(logPath);
    });
    window->OnCommand(40041);
    EXPECT_TRUE(proposed.empty()) << "Log Console does nothing while disconnected";
    window->OnCommand(40009);
    ASSERT_TRUE(window->connected());
    window->OnCommand(40041);
    ASSERT_EQ(proposed, std::vector<std::string>{home.path("home/GPS_MDUMP.DAT")});
    EXPECT_TRUE(window->consoleLog().active());
    EXPECT_TRUE(window->action(40041)->isChecked());
    EXPECT_FALSE(window->action(40041)->isEnabled());
    EXPECT_TRUE(window->action(40042)->isEnabled());
    EXPECT_EQ(window->action(40041)->text().toStdString(), "Log Console  " + logPath);

    test::Pump(300);
    pty.Send(kGga + "\x01garbled\r\n");
    ASSERT_TRUE(
        test::WaitFor([&] { return home.ReadFile(logPath).find("garbled") != std::string::npos; }));
    window->OnCommand(40010);
    EXPECT_FALSE(window->consoleLog().active()) << "Disconnect stops the console log";
    window->OnCommand(40009);
    EXPECT_FALSE(window->consoleLog().active()) << "reconnecting does not restart it";
    const std::string text = home.ReadFile(logPath);
    EXPECT_NE(text.find(">--------------\r\n\r\n\r\n" + kGga + "\x01garbled\r\n"),
              std::string::npos);
}

TEST_F(ConnectionTest, AStoredPortPastTheListFailsWithTheInitializationMessage) {
    PseudoTerminal pty;
    ScopedEnv ports("ORBEX_SERIAL_PORTS", pty.slave());
    WriteNumber("Config", "COMPORT", 10);
    MakeWindow();
    window->OnCommand(40009);
    EXPECT_FALSE(window->connected());
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back().rfind("COM Port Initialization Error\nError Code:", 0), 0u);
    EXPECT_TRUE(window->action(40009)->isEnabled());
}

TEST_F(ConnectionTest, TheStandInReceiverOnAPseudoTerminalFeedsTheWindows) {
    const std::string link = home.path("vm8140");
    // Ended (SIGTERM, then waited for) when the test ends.
    testing::SimProcess sim(ORBEX_SIM_BINARY, {"--link", link, "--format", "mixed", "--rate", "5"});
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(test::WaitFor([&] { return fs::exists(link); }));

    ScopedEnv ports("ORBEX_SERIAL_PORTS", link);
    MakeWindow();
    window->OnCommand(40004);
    window->OnCommand(40001);
    window->OnCommand(40009);
    EXPECT_TRUE(window->connected());
    EXPECT_TRUE(test::WaitFor([&] { return General()->recordCount() >= 3; }, 8000));
    EXPECT_GE(Console()->lineCount(), General()->recordCount());
    window->OnCommand(40010);
}

// --- the data-stream log at start and during a replay -------------------------------------

TEST_F(ConnectionTest, LogonWithoutARememberedFileAsksAtStartUp) {
    WriteNumber("CONFIG", "LOGON", 1);
    window = std::make_unique<COrbexWnd>();
    std::vector<std::string> proposed;
    window->SetChooseFile([&](const QString&, const std::string& initial) {
        proposed.push_back(initial);
        return std::optional<std::string>();
    });
    ASSERT_TRUE(window->Create());
    EXPECT_EQ(proposed, std::vector<std::string>{home.path("home/GPS.DAT")});
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("No file was chosen"), std::string::npos);
    EXPECT_FALSE(window->dataLog().IsOpen());
}

TEST_F(ConnectionTest, AReplayIsRecordedAcrossTheSizeLimitWithoutLosingALine) {
    fs::create_directories(home.path("logs"));
    WriteNumber("CONFIG", "LOGON", 1);
    WriteNumber("CONFIG", "LOGMAXSIZE", 400);
    WriteString("CONFIG", "LOGPATH", home.path("logs/").c_str());
    WriteString("CONFIG", "LOGFILE", "GPS.DAT");
    window = std::make_unique<COrbexWnd>();
    int asked = 0;
    window->SetChooseFile([&](const QString&, const std::string&) {
        ++asked;
        return std::optional<std::string>(home.path("logs/part" + std::to_string(asked) + ".dat"));
    });
    ASSERT_TRUE(window->Create());
    ASSERT_TRUE(window->dataLog().IsOpen());

    const std::string recording = Recording(40);
    window->SetReplayPath(QString::fromStdString(recording));
    window->OnCommand(40009);
    ASSERT_TRUE(test::WaitFor([&] { return !window->connected(); }, 8000));
    test::Pump(100);  // the last limit notice, if any
    EXPECT_GE(asked, 1);

    // Every file without its separators, in order, gives the recording back.
    auto body = [](std::string text) {
        const std::string end = ">--------------\r\n\r\n\r\n";
        std::string out;
        std::size_t at = 0;
        for (std::size_t banner;
             (banner = text.find("\r\n\r\n\r\n---", at)) != std::string::npos;) {
            out += text.substr(at, banner - at);
            at = text.find(end, banner) + end.size();
        }
        return out + text.substr(at);
    };
    std::string joined = body(home.ReadFile(home.path("logs/GPS.DAT")));
    for (int i = 1; i <= asked; ++i) {
        joined += body(home.ReadFile(home.path("logs/part" + std::to_string(i) + ".dat")));
    }
    EXPECT_EQ(joined, home.ReadFile(recording));
}

// --- port settings ------------------------------------------------------------------------

TEST_F(ConnectionTest, AFreshStoreGivesTheDefaultPortSettings) {
    PortSettings settings;
    settings.speed = 3;
    settings.flowXon = 0;
    LoadPortSettings(settings);  // nothing stored: the record keeps its values
    EXPECT_EQ(settings.speed, 3);
    const PortSettings fresh;
    EXPECT_EQ(kBaudRates[fresh.speed], 9600u);
    EXPECT_EQ(fresh.dataBits, 1);
    EXPECT_EQ(fresh.parity, 0);
    EXPECT_EQ(fresh.stopBits, 0);
    EXPECT_EQ(fresh.flowXon, 1);
    EXPECT_EQ(fresh.portIndex, 0);

    PortSettings changed;
    changed.speed = 12;
    changed.flowRts = 1;
    changed.portIndex = 2;
    SavePortSettings(changed);
    const std::string file = home.ReadFile("ORBEX.reg");
    const std::vector<std::string> order = {"STOPBIT", "SPEED",   "PARITY",  "DATABIT",
                                            "FROWRTS", "FROWDSR", "FROWXON", "COMPORT"};
    std::size_t at = 0;
    for (const std::string& key : order) {
        const std::size_t next = file.find("\"" + key + "\"", at);
        ASSERT_NE(next, std::string::npos) << key;
        at = next;
    }
    PortSettings loaded;
    LoadPortSettings(loaded);
    EXPECT_EQ(loaded.speed, 12);
    EXPECT_EQ(loaded.flowRts, 1);
    EXPECT_EQ(loaded.portIndex, 2);
}

TEST_F(ConnectionTest, StoredIndicesOutsideTheirListsFallBackToDefaults) {
    WriteNumber("Config", "SPEED", 99);
    WriteNumber("Config", "PARITY", -1);
    WriteNumber("Config", "COMPORT", 42);
    PortSettings settings;
    LoadPortSettings(settings);
    EXPECT_EQ(settings.speed, 6);
    EXPECT_EQ(settings.parity, 0);
    EXPECT_EQ(settings.portIndex, 42) << "a missing port is reported by Connect";
}

TEST_F(ConnectionTest, TheDialogShowsTheSettingsAndDefaultOnlyChangesTheControls) {
    PseudoTerminal pty;
    ScopedEnv ports("ORBEX_SERIAL_PORTS", pty.slave());
    PortSettings settings;
    settings.speed = 12;
    settings.parity = 2;
    settings.stopBits = 2;
    settings.dataBits = 0;
    settings.flowRts = 1;
    settings.flowXon = 0;
    CPortSettingsDialog dialog(nullptr, settings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Configure COM port"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.portList()->itemText(0).toStdString(), pty.slave());
    EXPECT_EQ(dialog.baudList()->count(), 15);
    EXPECT_EQ(dialog.baudList()->currentText(), QStringLiteral("115200"));
    EXPECT_EQ(dialog.parityList()->currentText(), QStringLiteral("Even"));
    EXPECT_EQ(dialog.stopBitList()->currentText(), QStringLiteral("2"));
    EXPECT_EQ(dialog.dataBitList()->currentText(), QStringLiteral("7"));
    EXPECT_TRUE(dialog.rtsCheck()->isChecked());
    EXPECT_FALSE(dialog.xonCheck()->isChecked());
    ASSERT_NE(dialog.findChild<QPushButton*>(QStringLiteral("1008")), nullptr);
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("1009"))->text(),
              QStringLiteral("List(&L)...."));

    dialog.RestoreDefaults();
    const PortSettings chosen = dialog.settings();
    EXPECT_EQ(chosen.speed, 6);
    EXPECT_EQ(chosen.parity, 0);
    EXPECT_EQ(chosen.stopBits, 0);
    EXPECT_EQ(chosen.dataBits, 1);
    EXPECT_EQ(chosen.flowRts, 0);
    EXPECT_EQ(chosen.flowXon, 1);
    EXPECT_EQ(chosen.portIndex, 0);
}

TEST_F(ConnectionTest, ConfigurePortAppliesReplayChoiceAndStoresOnlyOnOk) {
    PseudoTerminal pty;
    ScopedEnv ports("ORBEX_SERIAL_PORTS", pty.slave());
    MakeWindow();
    WriteNumber("Config", "SPEED", 12);

    // "Default(&R)" then "Cancel": nothing stored.
    window->SetRunPortDialog([](CPortSettingsDialog& dialog) {
        dialog.RestoreDefaults();
        return false;
    });
    window->OnCommand(40007);
    std::int32_t speed = 0;
    ASSERT_TRUE(ReadNumber("Config", "SPEED", speed));
    EXPECT_EQ(speed, 12);
    EXPECT_FALSE(ReadNumber("Config", "COMPORT", speed));

    // "List(&L)...." then OK: the replay file is used by Connect.
    const std::string recording = Recording(4);
    window->SetRunPortDialog([&](CPortSettingsDialog& dialog) {
        dialog.SetChooseReplayFile([&](QWidget*) { return QString::fromStdString(recording); });
        EXPECT_FALSE(dialog.replayName()->isVisibleTo(&dialog));
        dialog.ChooseReplay();
        EXPECT_TRUE(dialog.replayName()->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.replayName()->text(), QStringLiteral("Replay: replay.txt"));
        EXPECT_EQ(dialog.replayPace(), ReplayPace::Fast);  // the designed replay unless chosen
        dialog.paceList()->setCurrentIndex(2);
        return true;
    });
    window->OnCommand(40007);
    EXPECT_EQ(window->replayPath().toStdString(), recording);
    EXPECT_EQ(window->replayPace(), ReplayPace::RecordedX10);
    EXPECT_TRUE(ReadNumber("Config", "COMPORT", speed)) << "OK stores the settings";

    // OK without "List(&L)....": back to the serial port.
    window->SetRunPortDialog([](CPortSettingsDialog&) { return true; });
    window->OnCommand(40007);
    EXPECT_TRUE(window->replayPath().isEmpty());
    EXPECT_EQ(window->action(40009)->text(), QStringLiteral("Connect(&C)"));
}

TEST_F(ConnectionTest, ARunningPortTakesNewSettingsOrRefusesThemUnstored) {
    PseudoTerminal pty;
    ScopedEnv ports("ORBEX_SERIAL_PORTS", pty.slave());
    MakeWindow();
    window->OnCommand(40009);
    ASSERT_TRUE(window->connected());

    window->SetRunPortDialog([](CPortSettingsDialog& dialog) {
        dialog.baudList()->setCurrentIndex(12);  // 115200
        return true;
    });
    window->OnCommand(40007);
    std::int32_t value = 0;
    ASSERT_TRUE(ReadNumber("Config", "SPEED", value));
    EXPECT_EQ(value, 12);

    window->SetRunPortDialog([](CPortSettingsDialog& dialog) {
        dialog.stopBitList()->setCurrentIndex(1);  // 1.5 stop bits: Linux cannot
        return true;
    });
    window->OnCommand(40007);
    ASSERT_TRUE(ReadNumber("Config", "STOPBIT", value));
    EXPECT_EQ(value, 0) << "a refused change is not stored";
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back().rfind("COM Port Initialization Error\nError Code:", 0), 0u);
    EXPECT_TRUE(window->connected());
}

TEST_F(ConnectionTest, WithoutAnyPortTheDialogCannotBeConfirmed) {
    ScopedEnv ports("ORBEX_SERIAL_PORTS", "");
    if (!EnumeratePorts().empty()) {
        GTEST_SKIP() << "this machine has serial ports";
    }
    CPortSettingsDialog dialog(nullptr, PortSettings{});
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.portList()->count(), 0);
    EXPECT_EQ(dialog.baudList()->count(), 0);
}

TEST_F(ConnectionTest, TheDialogListsAtMostTenPorts) {
    std::string many;
    for (int i = 0; i < 12; ++i) {
        many += (i ? ":" : "") + home.path("port" + std::to_string(i));
    }
    ScopedEnv ports("ORBEX_SERIAL_PORTS", many);
    CPortSettingsDialog dialog(nullptr, PortSettings{});
    EXPECT_EQ(dialog.portList()->count(), 10);
    EXPECT_EQ(dialog.portList()->itemText(9).toStdString(), home.path("port9"));
}

}  // namespace
}  // namespace orbex
