// The receiver's adapter pulled and plugged back while Orbex watches: the stand-in receiver
// hangs up, and a new one appears on the same port path. Orbex says so once, keeps every line
// it received, reopens the port by itself and goes on logging into the same console log.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/orbex_window.h"
#include "app_test_support.h"
#include "link/line_queue.h"
#include "platform/message_box_sink.h"
#include "tests/support/placeholder_window.h"
#include "tests/support/sim_process.h"

namespace orbex {
namespace {

using std::chrono::milliseconds;

// Lines after the log's date-and-time separator that end in CR LF.
long LoggedLines(const std::string& log) {
    const std::string end = ">--------------\r\n\r\n\r\n";
    std::size_t at = log.find(end);
    if (at == std::string::npos) {
        return -1;
    }
    long lines = 0;
    for (at += end.size(); (at = log.find("\r\n", at)) != std::string::npos; at += 2) {
        ++lines;
    }
    return lines;
}

TEST(ReconnectTest, AnUnpluggedReceiverComesBackWithoutLosingALine) {
    const std::string simulator = ORBEX_SIM_BINARY;
    SharedLineQueue().Clear();
    InstallPlainWindows();  // plain windows count what they get
    test::TestHome home;
    MessageBoxSink messages;
    const std::string port = home.path("vm8140");
    const std::string logPath = home.path("console.log");
    setenv("ORBEX_SERIAL_PORTS", port.c_str(), 1);

    auto first = std::make_unique<testing::SimProcess>(
        simulator, std::vector<std::string>{"--link", port, "--rate", "5", "--hangup-after", "2"});
    ASSERT_TRUE(testing::SimProcess::WaitForPath(port));
    auto window = std::make_unique<COrbexWnd>();
    ASSERT_TRUE(window->Create());
    window->SetChooseFile(
        [&](const QString&, const std::string&) { return std::optional<std::string>(logPath); });
    window->OnCommand(40004);  // Console
    window->OnCommand(40009);  // Connect
    window->OnCommand(40041);  // Log Console
    ASSERT_TRUE(window->connected());
    auto* console = dynamic_cast<CPlaceholderWnd*>(window->slotWindow(3));
    ASSERT_NE(console, nullptr);

    int hungUp = -1;
    ASSERT_TRUE(test::WaitFor([&] { return (hungUp = first->Wait(milliseconds(0))) >= 0; }, 6000));
    EXPECT_EQ(hungUp, 3);
    ASSERT_TRUE(test::WaitFor([&] { return !messages.Texts().empty(); }));
    const long before = console->lineCount();
    EXPECT_GE(before, 5);
    test::Pump(700);  // a few looks for the gone port
    EXPECT_EQ(console->lineCount(), before);

    testing::SimProcess second(simulator, {"--link", port, "--rate", "5"});
    EXPECT_TRUE(test::WaitFor([&] { return console->lineCount() >= before + 5; }, 8000));
    EXPECT_TRUE(window->connected());
    EXPECT_TRUE(window->consoleLog().active());
    window->OnCommand(40010);  // Disconnect: stops the log
    test::Pump(50);

    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Communication Error 5"});
    // One log, one separator: every line the Console showed, from both receivers, is in it.
    const std::string log = home.ReadFile(logPath);
    EXPECT_EQ(log.find("\r\n\r\n\r\n---"), log.rfind("\r\n\r\n\r\n---"));
    EXPECT_EQ(LoggedLines(log), console->lineCount());
    window.reset();
    unsetenv("ORBEX_SERIAL_PORTS");
}

}  // namespace
}  // namespace orbex
