// orbex-report: the numbers its HTML prints against the statistics of the same input, and the
// pictures' bars and points against the input; end to end against orbex-ttff and orbex-stats
// on vm8140-sim.
#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <sys/wait.h>

#include <cctype>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/orbex_report/html_page.h"
#include "cli/orbex_report/ttff_report.h"
#include "cli/orbex_report/ttff_results.h"
#include "cli/orbex_ttff/binomial_bound.h"
#include "cli/orbex_ttff/ttff_statistics.h"
#include "tests/link/link_test_support.h"
#include "tests/support/sim_process.h"
#include "tests/support/test_files.h"

namespace orbex {
namespace {

using test::Slurp;

int ExitCodeOf(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One start tag of the page: its name, attributes and the text up to the next tag.
struct Tag {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
};

// Read by hand: g++ 12 warns inside std::regex when the sanitizers are on.
std::vector<Tag> Tags(const std::string& html) {
    std::vector<Tag> tags;
    const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    const auto isNameChar = [&](char c) { return isLetter(c) || c == '-'; };
    for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        std::size_t end = at + 1;
        if (end >= html.size() || !isLetter(html[end])) {
            continue;
        }
        while (end < html.size() && std::isalnum(static_cast<unsigned char>(html[end])) != 0) {
            ++end;
        }
        const std::size_t close = html.find('>', end);
        if (close == std::string::npos) {
            break;
        }
        Tag tag{html.substr(at + 1, end - at - 1), {}, {}};
        const std::string attributes = html.substr(end, close - end);
        // name="value" pairs.
        for (std::size_t eq = attributes.find("=\""); eq != std::string::npos;) {
            std::size_t nameStart = eq;
            while (nameStart > 0 && isNameChar(attributes[nameStart - 1])) {
                --nameStart;
            }
            const std::size_t valueEnd = attributes.find('"', eq + 2);
            if (valueEnd == std::string::npos) {
                break;
            }
            if (nameStart < eq) {
                tag.attributes[attributes.substr(nameStart, eq - nameStart)] =
                    attributes.substr(eq + 2, valueEnd - eq - 2);
            }
            eq = attributes.find("=\"", valueEnd + 1);
        }
        const std::size_t next = html.find('<', close + 1);
        tag.text =
            html.substr(close + 1, (next == std::string::npos ? html.size() : next) - close - 1);
        tags.push_back(std::move(tag));
        at = close;
    }
    return tags;
}

// The statistics table: receiver -> figure -> printed text.
std::map<std::string, std::map<std::string, std::string>> StatisticsCells(const std::string& html) {
    std::map<std::string, std::map<std::string, std::string>> cells;
    std::string receiver;
    for (const Tag& tag : Tags(html)) {
        if (tag.name == "tr") {
            const auto r = tag.attributes.find("data-receiver");
            receiver = r == tag.attributes.end() ? "" : r->second;
        } else if (tag.name == "td" && !receiver.empty() && tag.attributes.count("data-figure")) {
            cells[receiver][tag.attributes.at("data-figure")] = tag.text;
        }
    }
    return cells;
}

void ExpectPrinted(const std::map<std::string, std::string>& row, const TtffStatistics& s) {
    EXPECT_EQ(row.at("count"), std::to_string(s.count));
    EXPECT_EQ(row.at("failures"), std::to_string(s.failures));
    EXPECT_EQ(row.at("mean"), FixedText(s.mean, 2));
    EXPECT_EQ(row.at("median"), FixedText(s.median, 2));
    EXPECT_EQ(row.at("percentile"), FixedText(s.percentile, 2));
    EXPECT_EQ(row.at("min"), FixedText(s.minimum, 2));
    EXPECT_EQ(row.at("max"), FixedText(s.maximum, 2));
    EXPECT_EQ(row.at("stddev"), FixedText(s.deviation, 2));
}

// Two firmware runs of one port: whole seconds, milliseconds, a failure, a gap of empty
// seconds, and lines that are no result.
TEST(TtffReportTest, PrintedFiguresEqualTheStatisticsAndEachSecondHasOneBar) {
    testing::TempDir dir;
    const std::string a = (dir.Path() / "fw1.json").string();
    const std::string b = (dir.Path() / "fw2.json").string();
    std::ofstream(a)
        << R"({"port":"/dev/ttyUSB0","cycle":1,"start":"2026-01-01T00:00:00Z","ttff":31,"lat":1,"lon":2,"alt":3})"
           "\n"
           R"({"port":"/dev/ttyUSB0","cycle":2,"start":"2026-01-01T00:01:00Z","ttff":34,"lat":1,"lon":2,"alt":3})"
           "\n"
           R"({"port":"/dev/ttyUSB0","cycle":3,"start":"2026-01-01T00:02:00Z","error":"no fix <in time>"})"
           "\nnot json\n"
           R"({"statistics":{"percentile":90,"ports":{}}})"
           "\n";
    std::ofstream(b)
        << R"({"port":"/dev/ttyUSB0","cycle":1,"start":"2026-01-02T00:00:00Z","ttff":30,"ttff_ms":30500,"lat":1,"lon":2,"alt":3,"error_m":4.25})"
           "\n"
           R"({"port":"/dev/ttyUSB0","cycle":2,"start":"2026-01-02T00:01:00Z","ttff":30,"ttff_ms":30999,"lat":1,"lon":2,"alt":3,"error_m":1.5})"
           "\n"
           R"({"port":"/dev/ttyUSB0","cycle":3,"start":"2026-01-02T00:01:00Z","ttff":29,"ttff_ms":29010,"lat":1,"lon":2,"alt":3,"error_m":2})"
           "\n";
    TtffResults results;
    std::string error;
    ASSERT_TRUE(ReadTtffResults(a, "fw1", results, error)) << error;
    ASSERT_TRUE(ReadTtffResults(b, "fw2", results, error)) << error;
    EXPECT_FALSE(ReadTtffResults((dir.Path() / "none").string(), "", results, error));
    ASSERT_EQ(results.skipped.size(), 1u);
    EXPECT_EQ(results.percentile, 90);
    ASSERT_EQ(results.receivers,
              (std::vector<std::string>{"fw1 /dev/ttyUSB0", "fw2 /dev/ttyUSB0"}));

    TtffReportSettings settings;
    settings.percentile = 90;
    settings.limit = 33;
    const std::string html = TtffReportHtml(results, settings);
    const auto cells = StatisticsCells(html);
    ExpectPrinted(cells.at("fw1 /dev/ttyUSB0"), ComputeStatistics({31, 34}, 1, 90));
    ExpectPrinted(cells.at("fw2 /dev/ttyUSB0"), ComputeStatistics({30.5, 30.999, 29.01}, 0, 90));
    ExpectPrinted(cells.at("all"), ComputeStatistics({31, 34, 30.5, 30.999, 29.01}, 1, 90));
    EXPECT_EQ(cells.at("fw2 /dev/ttyUSB0").at("error_median"), "2.00");
    EXPECT_EQ(cells.at("fw1 /dev/ttyUSB0").at("error_median"), "-");
    // p90 of all is 34 s, above the 33 s limit; the error text is escaped, not markup.
    EXPECT_NE(html.find("FAIL: p90 34.00 s, limit 33.00 s"), std::string::npos);
    EXPECT_FALSE(TtffLimitHolds(results, settings));
    EXPECT_NE(html.find("no fix &lt;in time&gt;"), std::string::npos);

    // Histograms in order fw1, fw2, all: bins 31..34, 29..30, 29..34.
    std::vector<std::vector<std::pair<std::string, std::string>>> histograms;
    for (const Tag& tag : Tags(html)) {
        if (tag.name == "svg") {
            histograms.emplace_back();
        } else if (tag.name == "rect" && tag.attributes.count("class") &&
                   tag.attributes.at("class") == "bar") {
            histograms.back().emplace_back(tag.attributes.at("data-bin"),
                                           tag.attributes.at("data-count"));
        }
    }
    using Bins = std::vector<std::pair<std::string, std::string>>;
    ASSERT_EQ(histograms.size(), 4u);  // three histograms and the cumulative distribution
    EXPECT_EQ(histograms[0], (Bins{{"31", "1"}, {"32", "0"}, {"33", "0"}, {"34", "1"}}));
    EXPECT_EQ(histograms[1], (Bins{{"29", "1"}, {"30", "2"}}));
    EXPECT_EQ(histograms[2].size(), 6u);
    EXPECT_TRUE(histograms[3].empty());
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http://", html.find("<body")), html.find("http://www.w3.org/2000/svg"));
}

// The summary of one orbex-ttff run: `cycles` per port as --json prints them.
std::string Summary(const std::string& limit, int maxFailures, bool complete,
                    const std::vector<std::pair<std::string, std::string>>& cycles) {
    std::string receivers;
    for (const auto& [port, list] : cycles) {
        receivers += std::string(receivers.empty() ? "" : ",") + R"({"port":")" + port +
                     R"(","cycles":[)" + list + R"(],"statistics":{}})";
    }
    return R"({"options":{"mode":"cold","count":3,"interval":7,"limit":)" + limit +
           R"(,"percentile":95,"max_failures":)" + std::to_string(maxFailures) +
           R"(,"cycle_timeout":120,"ports":["/tmp/simA"],"ref":[35.5,139.5,40]},"receivers":[)" +
           receivers + R"(],"all":{},"verdict":"fail","confidence":0.0,"complete":)" +
           (complete ? "true" : "false") + "}";
}

std::string Cycle(int n, int ms, double errorMetres) {
    return R"({"port":"/tmp/simA","cycle":)" + std::to_string(n) +
           R"(,"start":"2026-01-01T00:00:00Z","ttff":)" + std::to_string(ms / 1000) +
           R"(,"ttff_ms":)" + std::to_string(ms) +
           R"(,"lat":35.5,"lon":139.5,"alt":40,"error_m":)" + FixedText(errorMetres, 2) + "}";
}

// Two summaries side by side: the limit and allowed failures come from them, a failure beyond
// the allowance fails a series whose percentile is within the limit, and the confidence is
// that of the cycles within the limit with the failure counted outside.
TEST(TtffReportTest, SummariesGiveTheirOptionsVerdictAndConfidence) {
    testing::TempDir dir;
    const std::string a = (dir.Path() / "fw1.json").string();
    const std::string b = (dir.Path() / "fw2.json").string();
    std::ofstream(a) << Summary("30", 0, true,
                                {{"/tmp/simA", Cycle(1, 12400, 3.5) + "," + Cycle(2, 14900, 1.25) +
                                                   "," + Cycle(3, 12000, 8)}});
    // The second run was interrupted: one result, one failure, and an entry that is no cycle.
    std::ofstream(b) << Summary(
        "30", 0, false,
        {{"/tmp/simA",
          Cycle(1, 20500, 2) +
              R"(,{"cycle":2,"start":"2026-01-01T00:01:00Z","error":"no fix in 120 s"},7)"}});
    TtffResults results;
    std::string error;
    ASSERT_TRUE(ReadTtffResults(a, "fw1", results, error)) << error;
    ASSERT_TRUE(ReadTtffResults(b, "fw2", results, error)) << error;
    ASSERT_EQ(results.runs.size(), 2u);
    EXPECT_EQ(results.runs[0].reference, (std::vector<double>{35.5, 139.5, 40}));
    EXPECT_FALSE(results.runs[1].complete);
    ASSERT_EQ(results.skipped.size(), 1u);
    EXPECT_NE(results.skipped[0].find("cycle entry 3"), std::string::npos) << results.skipped[0];

    const TtffReportSettings settings = SettingsFromResults(results);
    ASSERT_EQ(settings.limit, 30);
    EXPECT_EQ(settings.maxFailures, 0);
    const std::string html = TtffReportHtml(results, settings);
    const auto cells = StatisticsCells(html);
    ExpectPrinted(cells.at("fw1 /tmp/simA"), ComputeStatistics({12.4, 14.9, 12}, 0, 95));
    ExpectPrinted(cells.at("fw2 /tmp/simA"), ComputeStatistics({20.5}, 1, 95));
    ExpectPrinted(cells.at("all"), ComputeStatistics({12.4, 14.9, 12, 20.5}, 1, 95));
    EXPECT_EQ(cells.at("fw1 /tmp/simA").at("error_median"), "3.50");
    EXPECT_EQ(cells.at("fw1 /tmp/simA").at("within"), "3/3");
    EXPECT_EQ(cells.at("fw1 /tmp/simA").at("confidence"),
              FixedText(ClopperPearsonLowerBound(3, 3), 4));
    EXPECT_EQ(cells.at("all").at("within"), "4/5");
    EXPECT_EQ(cells.at("all").at("confidence"), FixedText(ClopperPearsonLowerBound(4, 5), 4));
    EXPECT_FALSE(TtffLimitHolds(results, settings));
    EXPECT_NE(html.find("FAIL: p95 20.50 s, limit 30.00 s; failed cycles 1 (0 allowed)"),
              std::string::npos);
    EXPECT_NE(html.find("class=\"fail incomplete\""), std::string::npos);
    EXPECT_NE(html.find("<td>cycle timeout</td><td>120 s</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>reference position</td><td>35.5000000, 139.5000000, 40.0</td>"),
              std::string::npos);

    // Allowing the failure passes it; the first run alone passes as it is.
    TtffReportSettings lenient = settings;
    lenient.maxFailures = 1;
    EXPECT_TRUE(TtffLimitHolds(results, lenient));

    // A summary cut short is refused with where it broke, not read as empty lines.
    const std::string cut = (dir.Path() / "cut.json").string();
    std::ofstream(cut)
        << Summary("30", 0, true, {{"/tmp/simA", Cycle(1, 12400, 3.5)}}).substr(0, 150);
    TtffResults none;
    EXPECT_FALSE(ReadTtffResults(cut, "", none, error));
    EXPECT_NE(error.find("not whole JSON"), std::string::npos) << error;
}

// A cold series of vm8140-sim through orbex-ttff --json, and the report of what it printed.
TEST(OrbexReportTest, ColdSeriesReportEqualsTheStatisticsOrbexTtffPrinted) {
    testing::TempDir dir;
    const std::string link = (dir.Path() / "sim").string();
    testing::SimProcess sim(ORBEX_SIM_PATH, {"--rate", "5", "--ttff-cold", "2", "--link", link});
    ASSERT_TRUE(testing::SimProcess::WaitForPath(link));
    const std::string json = (dir.Path() / "cold.json").string();
    const std::string html = (dir.Path() / "report.html").string();
    ASSERT_EQ(ExitCodeOf(std::string(ORBEX_TTFF_PATH) + " --port " + link +
                         " --mode cold --count 3 --interval 1 --json >" + json),
              0);
    ASSERT_EQ(ExitCodeOf(std::string(ORBEX_REPORT_PATH) + " ttff " + json + " -o " + html +
                         " --limit 60"),
              0);
    rapidjson::Document statistics;
    std::istringstream lines(Slurp(json));
    for (std::string line; std::getline(lines, line);) {
        statistics.Parse(line.c_str());
    }
    ASSERT_TRUE(statistics.HasMember("statistics"));
    const rapidjson::Value& port = statistics["statistics"]["ports"][link.c_str()];
    const std::string page = Slurp(html);
    const auto row = StatisticsCells(page).at(link);
    EXPECT_EQ(row.at("count"), "3");
    for (const char* figure : {"mean", "median", "percentile", "min", "max", "stddev"}) {
        EXPECT_EQ(row.at(figure), FixedText(port[figure].GetDouble(), 2)) << figure;
    }
    EXPECT_NE(page.find("PASS: p95"), std::string::npos);

    // Bad input: one line on standard error, no report written.
    const std::string empty = (dir.Path() / "empty.json").string();
    std::ofstream(empty) << "\n";
    const std::string none = (dir.Path() / "none.html").string();
    EXPECT_EQ(ExitCodeOf(std::string(ORBEX_REPORT_PATH) + " ttff " + empty + " -o " + none +
                         " 2>/dev/null"),
              1);
    EXPECT_EQ(ExitCodeOf(std::string(ORBEX_REPORT_PATH) + " ttff /nonexistent -o " + none +
                         " 2>/dev/null"),
              2);
    EXPECT_EQ(ExitCodeOf(std::string(ORBEX_REPORT_PATH) + " ttff " + json + " 2>/dev/null"), 2);
    EXPECT_FALSE(std::filesystem::exists(none));
}

// A simulated wander: the report's figures are orbex-stats', with one point per fix.
TEST(OrbexReportTest, AccuracyReportPrintsTheFiguresOfOrbexStats) {
    testing::TempDir dir;
    const std::string base = (dir.Path() / "wander").string();
    ASSERT_EQ(ExitCodeOf(std::string(ORBEX_SIM_PATH) +
                         " --stdout --fast --seed 7 --duration 300 --format nmea </dev/null >" +
                         base + ".rec"),
              0);
    const std::string ref = " --ref 35.68124,139.76712";
    ASSERT_EQ(ExitCodeOf(std::string(ORBEX_STATS_PATH) + " " + base + ".rec --json" + ref + " >" +
                         base + ".json"),
              0);
    ASSERT_EQ(ExitCodeOf(std::string(ORBEX_REPORT_PATH) + " accuracy " + base + ".rec -o " + base +
                         ".html" + ref),
              0);
    rapidjson::Document stats;
    stats.Parse(Slurp(base + ".json").c_str());
    ASSERT_FALSE(stats.HasParseError());
    std::map<std::string, std::string> figures;
    int points = 0;
    std::vector<std::string> circles;
    for (const Tag& tag : Tags(Slurp(base + ".html"))) {
        if (tag.attributes.count("data-figure")) {
            figures[tag.attributes.at("data-figure")] = tag.text;
        }
        if (tag.name == "circle" && tag.attributes.at("class") == "fix") {
            ++points;
        } else if (tag.name == "circle" && tag.attributes.at("class") == "cep") {
            circles.push_back(tag.attributes.at("data-radius"));
        }
    }
    EXPECT_EQ(points, stats["fixes"].GetInt());
    EXPECT_EQ(figures.at("fixes"), std::to_string(stats["fixes"].GetInt()));
    EXPECT_EQ(figures.at("cep50"), FixedText(stats["cep50"].GetDouble(), 3));
    EXPECT_EQ(figures.at("cep95"), FixedText(stats["cep95"].GetDouble(), 3));
    EXPECT_EQ(figures.at("2drms"), FixedText(stats["2drms"].GetDouble(), 3));
    EXPECT_EQ(circles, (std::vector<std::string>{figures.at("cep50"), figures.at("cep95")}));
    for (const char* radius : {"1", "2", "5", "10"}) {
        EXPECT_EQ(figures.at(std::string("within_") + radius),
                  FixedText(stats["within"][radius].GetDouble() * 100, 1))
            << radius;
    }
}

}  // namespace
}  // namespace orbex
