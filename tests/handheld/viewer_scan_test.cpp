// The viewer on real ports: pseudo-terminals and vm8140-sim standing in for receivers.
#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "handheld/viewer_dialog.h"
#include "tests/handheld/sentence_support.h"

namespace orbexce {
namespace {

// A pseudo-terminal pair: the viewer opens the slave's path, the test holds the master.
class PtyPair {
  public:
    PtyPair() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) == 0) {
            path_ = name;
        }
    }
    ~PtyPair() {
        ::close(slave_);
        ::close(master_);
    }
    const std::string& path() const { return path_; }
    void Write(const std::string& bytes) {
        EXPECT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string ReadMaster() {
        std::string got;
        char buffer[256];
        ::fcntl(master_, F_SETFL, O_NONBLOCK);
        for (ssize_t n; (n = ::read(master_, buffer, sizeof buffer)) > 0;) {
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// vm8140-sim --handheld on its own pseudo-terminal, stopped with the test.
class HandheldSimulator {
  public:
    HandheldSimulator() {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            // Five epochs a second, so that a loaded machine still delivers a sentence inside the
            // scan's 0.8 s look at the port.
            ::execl(ORBEX_SIM_EXE, ORBEX_SIM_EXE, "--handheld", "--rate", "5",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        FILE* stream = ::fdopen(out[0], "r");
        char line[256] = {};
        if (stream != nullptr && std::fgets(line, sizeof line, stream) != nullptr) {
            path_ = std::string(line, std::strcspn(line, "\n"));
        }
        if (stream != nullptr) {
            std::fclose(stream);
        }
    }
    ~HandheldSimulator() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& path() const { return path_; }

  private:
    pid_t pid_ = -1;
    std::string path_;
};

ViewerOptions OptionsFor(const ComPortTable& ports, QStringList* messages) {
    ViewerOptions options;
    options.ports = ports;
    options.messageBox = [messages](const QString& text) { messages->append(text); };
    return options;
}

TEST(ViewerScan, PastCom10EndsWithAutoFalseAndNoPortOpen) {
    QStringList messages;
    CViewerDialog dialog(OptionsFor({}, &messages));  // no device behind any COM number
    EXPECT_EQ(messages, QStringList{QStringLiteral("Open Com1 Error")});
    dialog.OnScan();
    for (int tick = 0; tick < 5 && dialog.scanning(); ++tick) {
        dialog.OnTimer();
    }
    EXPECT_FALSE(dialog.scanning());
    EXPECT_FALSE(dialog.reading());
    EXPECT_FALSE(dialog.portOpen());
    EXPECT_EQ(dialog.StatusLines().mid(dialog.StatusLines().size() - 2),
              (QStringList{QStringLiteral("Auto False"), QStringLiteral("GPS Close")}));
    EXPECT_EQ(dialog.PortLabel(9), QStringLiteral("Com10 fail"));
    EXPECT_EQ(dialog.timerInterval(), 1000);
}

TEST(ViewerScan, FindsTheSimulatorOnTheThirdPortAndPaintsItsFix) {
    HandheldSimulator simulator;
    ASSERT_FALSE(simulator.path().empty());
    PtyPair silent;  // COM1 opens but says nothing; COM2 has no device
    QStringList messages;
    CViewerDialog dialog(OptionsFor({silent.path(), "", simulator.path()}, &messages));
    EXPECT_TRUE(messages.isEmpty());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!dialog.receiverFound() && std::chrono::steady_clock::now() < deadline) {
        // A scan looks at each port for 0.8 s; on a loaded machine the simulator may say nothing
        // in that time, and then the user scans again.
        if (!dialog.scanning()) {
            dialog.OnScan();
        }
        dialog.OnTimer();
        if (dialog.currentPort() == 2) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    ASSERT_TRUE(dialog.receiverFound()) << dialog.StatusLines().join('|').toStdString();
    EXPECT_FALSE(dialog.scanning());
    EXPECT_EQ(dialog.PortLabel(0), QStringLiteral("Com1 None"));
    EXPECT_EQ(dialog.PortLabel(1), QStringLiteral("Com2 fail"));
    EXPECT_EQ(dialog.PortLabel(2), QStringLiteral("Com3 GPS"));
    EXPECT_EQ(dialog.PortLabel(3), QStringLiteral("Com4"));
    EXPECT_EQ(dialog.timerInterval(), 100);
    // Read on until a whole epoch has been painted: the fix from GSA, the date from RMC.
    while (dialog.record().date == 0 && std::chrono::steady_clock::now() < deadline) {
        dialog.OnTimer();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(dialog.record().fixMode, 3);
    EXPECT_EQ(dialog.record().rmcPosition.latitudeLetter, 'N');
}

// A receiver found on COM3 through "Open", its sentences read until it is credited.
class ReceiverOnCom3 : public ::testing::Test {
  protected:
    ReceiverOnCom3() : dialog_(Options(receiver_, &messages_)) {
        dialog_.OnPortChosen(2);
        dialog_.OnOpen();
        Talk();
        dialog_.OnTimer();
    }
    static ViewerOptions Options(const PtyPair& receiver, QStringList* messages) {
        ViewerOptions options = OptionsFor({"", "", receiver.path()}, messages);
        options.openAtStart = false;
        return options;
    }
    void Talk() {
        receiver_.Write(test::Sentence("GPGSA,A,3,04,10,,,,,,,,,,,03.2,01.4,02.8"));
        // Let the bytes reach the port's input queue before the tick reads them.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    PtyPair receiver_;
    QStringList messages_;
    CViewerDialog dialog_;
};

TEST_F(ReceiverOnCom3, ScanAgainCreditsOnlyThePortThatIsRead) {
    ASSERT_TRUE(dialog_.receiverFound());
    ASSERT_EQ(dialog_.PortLabel(2), QStringLiteral("Com3 GPS"));
    dialog_.OnScan();
    // The scan starts at COM1, which is closed: COM3's sentences are not COM1's.
    for (int tick = 0; tick < 4; ++tick) {
        Talk();
        dialog_.OnTimer();
        EXPECT_FALSE(dialog_.receiverFound());
    }
    EXPECT_EQ(dialog_.PortLabel(0), QStringLiteral("COM1"));
    // The scan step finds COM1 and COM2 without a device and looks at COM3 again.
    dialog_.OnTimer();
    EXPECT_EQ(dialog_.PortLabel(0), QStringLiteral("Com1 fail"));
    EXPECT_EQ(dialog_.currentPort(), 2);
    Talk();
    dialog_.OnTimer();
    EXPECT_TRUE(dialog_.receiverFound());
    EXPECT_EQ(dialog_.PortLabel(2), QStringLiteral("Com3 GPS"));
}

TEST_F(ReceiverOnCom3, OpenThatFailsKeepsReadingThePortThatWorks) {
    ASSERT_TRUE(dialog_.receiverFound());
    dialog_.OnPortChosen(0);
    dialog_.OnOpen();
    EXPECT_EQ(messages_, QStringList{QStringLiteral("Open Com1 Error")});
    EXPECT_EQ(dialog_.currentPort(), 2);
    EXPECT_TRUE(dialog_.portOpen());
    Talk();
    dialog_.OnTimer();
    EXPECT_FALSE(dialog_.StatusLines().contains(QStringLiteral("Port Invalid")));
    EXPECT_TRUE(dialog_.StatusLines().back().startsWith(QStringLiteral("$GPGSA")));
    EXPECT_EQ(dialog_.timerInterval(), 100);
    EXPECT_EQ(dialog_.timerType(), Qt::PreciseTimer);
}

TEST(ViewerReading, SilentPortSaysWaitNmeaOnTheEleventhIdleTick) {
    PtyPair silent;
    QStringList messages;
    CViewerDialog dialog(OptionsFor({silent.path()}, &messages));
    ASSERT_TRUE(dialog.reading());
    for (int tick = 1; tick <= 10; ++tick) {
        dialog.OnTimer();
    }
    EXPECT_FALSE(dialog.StatusLines().contains(QStringLiteral("Wait NMEA")));
    dialog.OnTimer();
    EXPECT_EQ(dialog.StatusLines().back(), QStringLiteral("Wait NMEA"));
    EXPECT_EQ(dialog.timerInterval(), 500);
    EXPECT_EQ(dialog.timerType(), Qt::PreciseTimer);
}

TEST(ViewerCommands, ColdAndSendWriteTheirBytesWithOneCarriageReturn) {
    PtyPair receiver;
    QStringList messages;
    ViewerOptions options = OptionsFor({receiver.path()}, &messages);
    options.askCommand = [](QWidget*) { return std::optional<QString>(QStringLiteral("@GSV 1 ")); };
    CViewerDialog dialog(std::move(options));
    ASSERT_TRUE(dialog.portOpen());
    dialog.OnCold();
    dialog.OnSend();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(receiver.ReadMaster(), "@CD\r@GSV 1 \r");
    dialog.OnClose();
    EXPECT_FALSE(dialog.portOpen());
    dialog.OnTimer();
    EXPECT_EQ(dialog.StatusLines().back(), QStringLiteral("GPS Close"));
    EXPECT_EQ(dialog.timerInterval(), 1000);
    EXPECT_EQ(dialog.timerType(), Qt::PreciseTimer);
}

}  // namespace
}  // namespace orbexce
