#include "cli/orbex_dump/dump_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orbex {
namespace {

TEST(DumpOptionsTest, PortSettingsFromTheirTexts) {
    DumpOptions options;
    std::string error;
    ASSERT_TRUE(ParseDumpOptions(
        {"--port", "/dev/ttyUSB0", "--speed", "256000",   "--parity",  "Space",  "--data-bits",
         "7",      "--stop-bits",  "2",       "--rtscts", "--xonxoff", "--send", "@CD",
         "--send", "@SW",          "--count", "5",        "--seconds", "1.5",    "--decode"},
        options, error))
        << error;
    EXPECT_EQ(options.source, DumpSource::Port);
    EXPECT_EQ(options.port, "/dev/ttyUSB0");
    EXPECT_EQ(options.settings.speed, 14);
    EXPECT_EQ(options.settings.parity, 4);
    EXPECT_EQ(options.settings.dataBits, 0);
    EXPECT_EQ(options.settings.stopBits, 2);
    EXPECT_EQ(options.settings.flowRts, 1);
    EXPECT_EQ(options.settings.flowXon, 1);
    EXPECT_EQ(options.settings.flowDsr, 0);
    EXPECT_EQ(options.commands, (std::vector<std::string>{"@CD", "@SW"}));
    EXPECT_EQ(options.count, 5);
    EXPECT_DOUBLE_EQ(options.seconds.value(), 1.5);
    EXPECT_TRUE(options.decode);

    ASSERT_TRUE(ParseDumpOptions({"--replay", "rec.dat"}, options, error));
    EXPECT_EQ(options.source, DumpSource::Replay);
    EXPECT_EQ(options.path, "rec.dat");
    EXPECT_EQ(options.settings.speed, 6);     // 9600
    EXPECT_EQ(options.settings.flowXon, 0);   // a dump passes 0x11 and 0x13 on
    EXPECT_EQ(options.settings.stopBits, 0);  // 1 stop bit
    EXPECT_FALSE(options.count);
    EXPECT_EQ(options.pace, ReplayPace::Fast);  // the designed replay unless asked
    ASSERT_TRUE(ParseDumpOptions({"--replay", "rec.dat", "--pace", "X10"}, options, error));
    EXPECT_EQ(options.pace, ReplayPace::RecordedX10);
    ASSERT_TRUE(ParseDumpOptions({"--file", "rec.dat", "--export", "GPX"}, options, error));
    EXPECT_EQ(options.exportFormat, ExportFormat::Gpx);

    ASSERT_TRUE(ParseDumpOptions({"--port", "0", "--stop-bits", "1.5"}, options, error));
    EXPECT_EQ(options.settings.stopBits, 1);  // the link refuses it with its reason
}

TEST(DumpOptionsTest, NonsenseIsRefusedWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--port"},
        {"--port", "0", "--replay", "x"},
        {"--file", "x", "--send", "@CD"},
        {"--port", "0", "--speed", "9601"},
        {"--port", "0", "--speed", "fast"},
        {"--port", "0", "--parity", "sometimes"},
        {"--port", "0", "--data-bits", "9"},
        {"--port", "0", "--stop-bits", "3"},
        {"--port", "0", "--count", "0"},
        {"--port", "0", "--count", "12x"},
        {"--port", "0", "--seconds", "-1"},
        {"--port", "0", "--seconds", "nan"},
        {"--port", "0", "--loud"},
        {"--file"},
        {"--replay", "x", "--pace", "slow"},
        {"--file", "x", "--pace", "recorded"},
        {"--file", "x", "--export", "shp"},
        {"--replay", "x", "--export", "csv"},
        {"--file", "x", "--export", "csv", "--decode"},
    };
    for (const auto& arguments : bad) {
        DumpOptions options;
        std::string error;
        std::string joined;
        for (const auto& argument : arguments) {
            joined += argument + " ";
        }
        EXPECT_FALSE(ParseDumpOptions(arguments, options, error)) << joined;
        EXPECT_FALSE(error.empty()) << joined;
        EXPECT_EQ(error.find('\n'), std::string::npos) << joined;
    }
}

TEST(DumpOptionsTest, TheHelpListsEveryOptionTheParserTakes) {
    const std::string usage = DumpUsage();
    for (const char* option : {"--port", "--replay", "--file", "--speed", "--parity", "--data-bits",
                               "--stop-bits", "--rtscts", "--xonxoff", "--pace", "--export",
                               "--send", "--count", "--seconds", "--decode", "--help"}) {
        EXPECT_NE(usage.find(std::string("\n  ") + option + " "), std::string::npos) << option;
    }
    // The baud rates of the help and of the reader are the same list.
    DumpOptions options;
    std::string error;
    EXPECT_FALSE(ParseDumpOptions({"--port", "0", "--speed", "31250"}, options, error));
    EXPECT_NE(error.find("110, 300"), std::string::npos) << error;
    EXPECT_NE(error.find("128000 or 256000"), std::string::npos) << error;
    EXPECT_FALSE(ParseDumpOptions({"--port"}, options, error));
    EXPECT_EQ(error, "--port needs a value (NAME_OR_INDEX)");
}

}  // namespace
}  // namespace orbex
