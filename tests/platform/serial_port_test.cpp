#include "platform/serial_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/port_settings.h"
#include "platform/system_error.h"
#include "tests/platform/pty_pair.h"

namespace orbex {
namespace {

using std::chrono::milliseconds;
using testing::PtyPair;

class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.Valid());
        ASSERT_TRUE(port_.Open(pty_.SlavePath())) << "error " << SystemError();
    }

    PtyPair pty_;
    SerialPort port_;
};

TEST_F(SerialPortTest, EveryBaudRateOfTheListIsSetOrReported) {
    for (std::uint32_t rate : kBaudRates) {
        SerialParameters wanted;
        wanted.baudRate = rate;
        if (!port_.Configure(wanted)) {
            // A driver may refuse a rate it cannot make; it must say so with a code.
            EXPECT_NE(SystemError(), 0) << rate;
            continue;
        }
        SerialParameters applied;
        ASSERT_TRUE(port_.ReadParameters(applied));
        EXPECT_EQ(applied.baudRate, rate);
    }
}

TEST_F(SerialPortTest, CharacterFormatAndHandshakesApply) {
    const SerialParity parities[] = {SerialParity::None, SerialParity::Odd, SerialParity::Even,
                                     SerialParity::Mark, SerialParity::Space};
    for (SerialParity parity : parities) {
        for (int dataBits : {7, 8}) {
            for (SerialStopBits stopBits : {SerialStopBits::One, SerialStopBits::Two}) {
                for (int flow = 0; flow < 4; ++flow) {
                    SerialParameters wanted;
                    wanted.baudRate = 4800;
                    wanted.parity = parity;
                    wanted.dataBits = dataBits;
                    wanted.stopBits = stopBits;
                    wanted.rtsCts = (flow & 1) != 0;
                    wanted.xonXoff = (flow & 2) != 0;
                    ASSERT_TRUE(port_.Configure(wanted));
                    SerialParameters applied;
                    ASSERT_TRUE(port_.ReadParameters(applied));
                    // A pseudo-terminal always reports 8 bits without parity (its driver
                    // rewrites them); a real port keeps what was set.
                    const bool kept = applied.parity == parity && applied.dataBits == dataBits;
                    const bool forcedByPty =
                        applied.parity == SerialParity::None && applied.dataBits == 8;
                    EXPECT_TRUE(kept || forcedByPty)
                        << static_cast<int>(parity) << " " << dataBits << " -> "
                        << static_cast<int>(applied.parity) << " " << applied.dataBits;
                    EXPECT_EQ(applied.stopBits, stopBits);
                    EXPECT_EQ(applied.rtsCts, wanted.rtsCts);
                    EXPECT_EQ(applied.xonXoff, wanted.xonXoff);
                }
            }
        }
    }
}

TEST_F(SerialPortTest, WhatTheDriverCannotDoIsRefusedNotIgnored) {
    SerialParameters good;
    good.baudRate = 115200;
    ASSERT_TRUE(port_.Configure(good));

    SerialParameters oneAndHalf = good;
    oneAndHalf.stopBits = SerialStopBits::OneAndHalf;
    oneAndHalf.baudRate = 300;
    EXPECT_NE(SerialPort::Unsupported(oneAndHalf), nullptr);
    EXPECT_FALSE(port_.Configure(oneAndHalf));
    EXPECT_EQ(SystemError(), EINVAL);

    SerialParameters dsr = good;
    dsr.dsrDtr = true;
    EXPECT_NE(SerialPort::Unsupported(dsr), nullptr);
    EXPECT_FALSE(port_.Configure(dsr));

    // A refused change leaves the port as it was.
    SerialParameters applied;
    ASSERT_TRUE(port_.ReadParameters(applied));
    EXPECT_EQ(applied.baudRate, 115200u);
    EXPECT_EQ(applied.stopBits, SerialStopBits::One);
}

TEST_F(SerialPortTest, BytesPassUnchangedBothWays) {
    ASSERT_TRUE(port_.Configure(SerialParameters{}));
    EXPECT_TRUE(port_.RaiseDtr());  // no modem lines on a pseudo-terminal: harmless
    EXPECT_EQ(port_.Read(nullptr, 0), 0);

    const std::string command = "@CD\r\n\x01\xDA";
    ASSERT_TRUE(port_.Write(command.data(), command.size()));
    EXPECT_EQ(pty_.Receive(command.size()), command);

    const std::string line = "$GPGGA,1\r\n\r\x11\x13\xDA\n";
    pty_.Send(line);
    std::string received;
    for (int tries = 0; tries < 100 && received.size() < line.size(); ++tries) {
        if (port_.QueuedInput() == 0) {
            std::this_thread::sleep_for(milliseconds(5));
            continue;
        }
        char buffer[64];
        const long n = port_.Read(buffer, sizeof buffer);
        ASSERT_GE(n, 0);
        received.append(buffer, static_cast<std::size_t>(n));
    }
    EXPECT_EQ(received, line);  // raw: no CR/LF translation, XON/XOFF bytes pass when off
}

TEST_F(SerialPortTest, PurgeDiscardsWhatIsQueued) {
    ASSERT_TRUE(port_.Configure(SerialParameters{}));
    pty_.Send("stale bytes\r\n");
    for (int tries = 0; tries < 100 && port_.QueuedInput() < 13; ++tries) {
        std::this_thread::sleep_for(milliseconds(5));
    }
    EXPECT_EQ(port_.QueuedInput(), 13);
    ASSERT_TRUE(port_.Purge());
    EXPECT_EQ(port_.QueuedInput(), 0);
}

TEST_F(SerialPortTest, WriteGivesUpWhenTheDriverTakesNothingMore) {
    // Nobody reads the master side, so the pseudo-terminal's buffers fill up.
    const std::string block(1 << 20, 'x');
    EXPECT_FALSE(port_.Write(block.data(), block.size(), milliseconds(100)));
    EXPECT_EQ(SystemError(), ETIMEDOUT);
}

TEST_F(SerialPortTest, AHungUpLineIsReportedNotMistakenForSilence) {
    pty_.CloseMaster();
    char buffer[16];
    const bool queuedFails = port_.QueuedInput() < 0;
    const bool readFails = port_.Read(buffer, sizeof buffer) < 0;
    EXPECT_TRUE(queuedFails || readFails);
    EXPECT_EQ(SystemError(), EIO);
}

TEST(SerialPortOpenTest, MissingDevicesAndPlainFilesDoNotOpen) {
    SerialPort port;
    EXPECT_FALSE(port.Open("/nonexistent/ttyUSB9"));
    EXPECT_EQ(SystemError(), ENOENT);
    EXPECT_FALSE(port.Open(""));
    EXPECT_FALSE(port.IsOpen());

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("orbex_not_a_tty_" + std::to_string(getpid()));
    std::ofstream(file) << "plain\n";
    EXPECT_FALSE(port.Open(file.string()));
    EXPECT_EQ(SystemError(), ENOTTY);
    EXPECT_FALSE(port.IsOpen());
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace orbex
