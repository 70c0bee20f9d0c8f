#include "link/port_list.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

namespace orbex {
namespace {

class PortListTest : public ::testing::Test {
  protected:
    void TearDown() override { ::unsetenv("ORBEX_SERIAL_PORTS"); }
};

TEST_F(PortListTest, EnvironmentPathsComeFirstInTheirOrder) {
    ::setenv("ORBEX_SERIAL_PORTS", ":/dev/pts/77::/tmp/sim-tty:", 1);
    const auto ports = EnumeratePorts();
    ASSERT_GE(ports.size(), 2u);
    EXPECT_EQ(ports[0], "/dev/pts/77");
    EXPECT_EQ(ports[1], "/tmp/sim-tty");
    EXPECT_EQ(PortNameAt(0), "/dev/pts/77");
    EXPECT_EQ(PortNameAt(1), "/tmp/sim-tty");
    for (std::size_t i = 2; i < ports.size(); ++i) {
        EXPECT_EQ(ports[i].rfind("/dev/", 0), 0u) << ports[i];  // devices present
    }
}

TEST_F(PortListTest, NetworkEntriesRunToTheirPortNumber) {
    ::setenv("ORBEX_SERIAL_PORTS",
             "tcp://127.0.0.1:3001:/dev/pts/5:rfc2217://[::1]:7000:rfc2217://lab-7:2217", 1);
    const auto ports = EnumeratePorts();
    ASSERT_GE(ports.size(), 4u);
    EXPECT_EQ(ports[0], "tcp://127.0.0.1:3001");
    EXPECT_EQ(ports[1], "/dev/pts/5");
    EXPECT_EQ(ports[2], "rfc2217://[::1]:7000");
    EXPECT_EQ(ports[3], "rfc2217://lab-7:2217");
}

TEST_F(PortListTest, AtMostTenPortsAndEmptyNamesOutsideTheList) {
    std::string many;
    for (int i = 0; i < 12; ++i) {
        many += "/tmp/port" + std::to_string(i) + ":";
    }
    ::setenv("ORBEX_SERIAL_PORTS", many.c_str(), 1);
    const auto ports = EnumeratePorts();
    ASSERT_EQ(ports.size(), 10u);
    EXPECT_EQ(ports[9], "/tmp/port9");
    EXPECT_EQ(PortNameAt(9), "/tmp/port9");
    EXPECT_EQ(PortNameAt(10), "");
    EXPECT_EQ(PortNameAt(-1), "");
    EXPECT_EQ(PortNameAt(1 << 30), "");
}

TEST_F(PortListTest, DevicesPresentAreListedOnceSorted) {
    ::unsetenv("ORBEX_SERIAL_PORTS");
    const auto devices = EnumeratePorts();
    ASSERT_LE(devices.size(), 10u);
    if (devices.empty()) {
        GTEST_SKIP() << "no serial devices on this machine";
    }
    // Naming one of them in the environment moves it to the front without a duplicate.
    ::setenv("ORBEX_SERIAL_PORTS", devices.back().c_str(), 1);
    const auto ports = EnumeratePorts();
    EXPECT_EQ(ports.front(), devices.back());
    EXPECT_EQ(std::count(ports.begin(), ports.end(), devices.back()), 1);
}

}  // namespace
}  // namespace orbex
