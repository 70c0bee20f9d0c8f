#include "cli/common/option_setters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "cli/common/message_lines.h"
#include "cli/common/option_table.h"
#include "cli/common/reference_option.h"

namespace orbex {
namespace {

struct Settings {
    bool json = false;
    int count = 1;
    std::optional<long> limit;
    double percentile = 95;
    std::optional<double> timeout;
    std::string output = "kept";
    std::optional<std::string> folder;
    std::optional<GeoPoint> reference;
    bool help = false;
};

// A program's command-line struct extends its options, as orbex-dump's and orbex-ttff's do; the
// rows name the members of the base.
struct SettingsLine : Settings {
    int given = 0;
};

const OptionTable<SettingsLine>& Table() {
    static const OptionTable<SettingsLine> table = {
        {"--json", nullptr, "json", SetsFlag(&SettingsLine::json)},
        {"--count", "N", "count", SetsWholeNumber("--count", 0, 1000, &SettingsLine::count)},
        {"--limit", "N", "limit", SetsWholeNumber("--limit", 1, 1L << 62, &SettingsLine::limit)},
        {"--percentile", "P", "p", SetsDecimal("--percentile", 1, 100, &SettingsLine::percentile)},
        {"--timeout", "S", "t", SetsDecimal("--timeout", 1e-3, 1e9, &SettingsLine::timeout)},
        {"-o", "FILE", "out", SetsNonEmpty("-o", "a file name", &SettingsLine::output)},
        {"--dir", "DIR", "dir", SetsNonEmpty("--dir", "a non-empty path", &SettingsLine::folder)},
        {"--ref", "LAT,LON[,ALT]", "ref", SetsReference(&SettingsLine::reference)},
    };
    return table;
}

std::string Read(const std::vector<std::string>& arguments, SettingsLine& line) {
    bool help = false;
    return ReadOptionsOnly(Table(), arguments, line, help);
}

TEST(OptionSettersTest, ValuesReachTheirMembersThroughTheBase) {
    SettingsLine line;
    ASSERT_EQ(
        Read({"--json", "--count", "0", "--limit", "4611686018427387904", "--percentile", "+99.5",
              "--timeout", "0.25", "-o", "out.html", "--dir", "data", "--ref", "48.5,-11.25"},
             line),
        "");
    EXPECT_TRUE(line.json);
    EXPECT_EQ(line.count, 0);
    EXPECT_EQ(line.limit, 1L << 62);
    EXPECT_DOUBLE_EQ(line.percentile, 99.5);
    EXPECT_DOUBLE_EQ(line.timeout.value(), 0.25);
    EXPECT_EQ(line.output, "out.html");
    EXPECT_EQ(line.folder, "data");
    ASSERT_TRUE(line.reference);
    EXPECT_DOUBLE_EQ(line.reference->latDegrees, 48.5);
    EXPECT_DOUBLE_EQ(line.reference->lonDegrees, -11.25);
    EXPECT_TRUE(std::isnan(line.reference->altitude));
}

TEST(OptionSettersTest, AValueThatCannotBeReadIsNamedAndLeavesTheMemberAsItWas) {
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--count", "1001"}, "--count takes a whole number from 0 to 1000, not '1001'"},
        {{"--count", "2.0"}, "--count takes a whole number from 0 to 1000, not '2.0'"},
        {{"--limit", "0"}, "--limit takes a whole number from 1 to 4611686018427387904, not '0'"},
        {{"--percentile", "0"}, "--percentile takes a number from 1 to 100, not '0'"},
        {{"--timeout", "inf"}, "--timeout takes a number from 0.001 to 1e+09, not 'inf'"},
        {{"-o", ""}, "-o needs a file name"},
        {{"--dir", ""}, "--dir needs a non-empty path"},
    };
    for (const auto& c : cases) {
        SettingsLine line;
        EXPECT_EQ(Read(c.arguments, line), c.error) << c.arguments.front();
        EXPECT_EQ(line.count, 1);
        EXPECT_FALSE(line.limit);
        EXPECT_EQ(line.percentile, 95);
        EXPECT_FALSE(line.timeout);
        EXPECT_EQ(line.output, "kept");
        EXPECT_FALSE(line.folder);
    }
    SettingsLine line;
    EXPECT_NE(Read({"--ref", "91,0"}, line), "");
    EXPECT_FALSE(line.reference);
}

TEST(OptionSettersTest, TheCheckSeesOnlyACommandLineThatCouldBeRead) {
    int checks = 0;
    const auto countChecks = [&checks](const SettingsLine&) {
        ++checks;
        return checks == 1 ? std::string("the first check refuses") : std::string();
    };
    Settings options;
    std::string error;
    EXPECT_FALSE(ParseOptionsOnly<SettingsLine>(Table(), {"--json"}, options, error, countChecks));
    EXPECT_EQ(error, "the first check refuses");
    EXPECT_TRUE(options.json);  // what was read is handed on with the reason
    EXPECT_TRUE(
        ParseOptionsOnly<SettingsLine>(Table(), {"--count", "3"}, options, error, countChecks));
    EXPECT_EQ(options.count, 3);
    EXPECT_FALSE(options.json);  // a fresh reading
    // --help is not checked, but a bad option or a stray word still refuses it.
    EXPECT_TRUE(ParseOptionsOnly<SettingsLine>(Table(), {"--help"}, options, error, countChecks));
    EXPECT_FALSE(
        ParseOptionsOnly<SettingsLine>(Table(), {"--help", "x"}, options, error, countChecks));
    EXPECT_EQ(error, "unknown argument 'x'");
    EXPECT_EQ(checks, 2);

    // A program that takes words hands them to its check, and --help skips it.
    std::vector<std::string> seen;
    const auto keepWords = [&seen](SettingsLine&, const std::vector<std::string>& words) {
        seen = words;
        return std::string();
    };
    SettingsLine line;
    EXPECT_TRUE(ParseCommandLine(Table(), {"a", "--json", "b"}, line, error, keepWords));
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
    seen.clear();
    EXPECT_TRUE(ParseCommandLine(Table(), {"a", "--help"}, line, error, keepWords));
    EXPECT_TRUE(line.help);
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(ParseCommandLine(Table(), {"a", "--loud"}, line, error, keepWords));
    EXPECT_EQ(error, "unknown option '--loud' (try --help)");
}

TEST(MessageLinesTest, AMessageIsOneLineAnsweredWithTheAffirmativeButton) {
    EXPECT_EQ(OneLine("Communication Error 5\nthe port\n\n"), "Communication Error 5 the port");
    const struct {
        MessageButtons buttons;
        MessageResult answer;
    } cases[] = {
        {MessageButtons::Ok, MessageResult::Ok},
        {MessageButtons::OkCancel, MessageResult::Ok},
        {MessageButtons::YesNo, MessageResult::Yes},
        {MessageButtons::YesNoCancel, MessageResult::Yes},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        const MessageResult answer =
            PrintMessageLine("orbex-test", {"End of file\n", {}, MessageIcon::None, c.buttons, {}});
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "orbex-test: End of file\n");
        EXPECT_EQ(answer, c.answer);
    }
}

}  // namespace
}  // namespace orbex
