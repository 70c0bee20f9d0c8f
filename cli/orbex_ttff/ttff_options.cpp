#include "cli/orbex_ttff/ttff_options.h"

#include <set>

#include "cli/common/option_setters.h"
#include "cli/common/option_table.h"
#include "cli/common/port_options.h"
#include "cli/common/reference_option.h"

namespace orbex {
namespace {

// The options as they are read: the interval may be given once, in one of its two forms.
struct TtffCommandLine : TtffOptions {
    bool intervalGiven = false;
};

std::string SetInterval(TtffCommandLine& line, const std::string& value) {
    if (line.intervalGiven) {
        return "give --interval or --random-interval once";
    }
    line.intervalGiven = true;
    if (value.empty()) {
        line.interval = kRandomInterval;
        return {};
    }
    long seconds = 0;
    std::string error = ReadWholeNumber("--interval", value, 1, 1000000, seconds);
    line.interval = static_cast<int>(seconds);
    return error;
}

OptionTable<TtffCommandLine> MakeTtffOptionTable() {
    OptionTable<TtffCommandLine> table = {
        {"--port", "NAME_OR_INDEX",
         "a receiver: an index into the port list or a device path "
         "(repeatable)",
         [](TtffCommandLine& o, const std::string& v) {
             o.ports.push_back(v);
             return std::string();
         }},
    };
    AddPortSettingRows(table, &TtffCommandLine::settings);
    const OptionTable<TtffCommandLine> more = {
        {"--mode", "hot|warm|cold", "the restart of every cycle",
         [](TtffCommandLine& o, const std::string& v) {
             std::vector<std::string> names;
             for (const auto& mode : kStartModes) {
                 names.emplace_back(mode.optionName);
             }
             int mode = 0;
             std::string error = ReadChoice("--mode", v, names, mode);
             o.mode = error.empty() && mode > 0 ? static_cast<StartMode>(mode) : StartMode::None;
             return o.mode == StartMode::None ? "--mode takes hot, warm or cold, not '" + v + "'"
                                              : std::string();
         }},
        {"--count", "N", "cycles per receiver, failed ones too (default 1; 0 until Ctrl-C)",
         SetsWholeNumber("--count", 0, 1000000, &TtffCommandLine::count)},
        {"--interval", "S", "start a cycle when the pause seconds + 1 reach S (default 7)",
         [](TtffCommandLine& o, const std::string& v) {
             return v.empty() ? "--interval takes whole seconds from 1" : SetInterval(o, v);
         }},
        {"--random-interval", nullptr, "draw 30 to 150 s per cycle instead",
         [](TtffCommandLine& o, const std::string&) { return SetInterval(o, {}); }},
        {"--record", "FILE", "append the result file ({port} stands for the receiver)",
         SetsNonEmpty("--record", "a file name", &TtffCommandLine::record)},
        {"--json", nullptr, "one JSON object per result instead of the result list",
         SetsFlag(&TtffCommandLine::json)},
        {"--limit", "S", "exit 1 unless the percentile is at most S seconds",
         SetsDecimal("--limit", 0, 1e9, &TtffCommandLine::limit)},
        {"--percentile", "P", "the percentile --limit judges (default 95, nearest rank)",
         SetsDecimal("--percentile", 1e-9, 100, &TtffCommandLine::percentile)},
        {"--max-failures", "N", "failed cycles --limit tolerates (default 0)",
         SetsWholeNumber("--max-failures", 0, 1000000000, &TtffCommandLine::maxFailures)},
        {"--cycle-timeout", "S", "a cycle without a fix after S seconds fails (default: none)",
         SetsDecimal("--cycle-timeout", 1, 36000, &TtffCommandLine::cycleTimeout)},
        {"--ref", "LAT,LON[,ALT]", "the antenna's position: each first fix's distance from it",
         SetsReference(&TtffCommandLine::reference)},
        {"--summary", "FILE.json", "keep a JSON summary, replaced after every cycle",
         SetsNonEmpty("--summary", "a file name", &TtffCommandLine::summary)},
        {"--report", "FILE.html", "write the HTML report of the series at the end",
         SetsNonEmpty("--report", "a file name", &TtffCommandLine::report)},
    };
    table.insert(table.end(), more.begin(), more.end());
    return table;
}

const OptionTable<TtffCommandLine>& TtffOptionTable() {
    static const OptionTable<TtffCommandLine> table = MakeTtffOptionTable();
    return table;
}

// What the options make of a series: its receivers, each once, a start mode, and the files and
// judgement the series can give.
std::string CheckTtffOptions(const TtffOptions& options) {
    if (options.ports.empty()) {
        return "give at least one --port";
    }
    if (std::set<std::string>(options.ports.begin(), options.ports.end()).size() !=
        options.ports.size()) {
        return "a --port is given twice";
    }
    if (options.mode == StartMode::None) {
        return "give --mode hot, warm or cold";
    }
    if (options.ports.size() > 1 && !options.record.empty() &&
        options.record.find("{port}") == std::string::npos) {
        return "with several --port, --record needs {port} in the file name";
    }
    if (options.maxFailures > 0 && !options.limit) {
        return "--max-failures goes with --limit";
    }
    return {};
}

}  // namespace

bool ParseTtffOptions(const std::vector<std::string>& arguments, TtffOptions& options,
                      std::string& error) {
    return ParseOptionsOnly<TtffCommandLine>(TtffOptionTable(), arguments, options, error,
                                             CheckTtffOptions);
}

std::string RecordPathFor(const std::string& pattern, const std::string& port) {
    std::string name = port.rfind("/dev/", 0) == 0 ? port.substr(5) : port;
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    std::string path = pattern;
    for (std::size_t at = path.find("{port}"); at != std::string::npos;
         at = path.find("{port}", at + name.size())) {
        path.replace(at, 6, name);
    }
    return path;
}

std::string TtffUsage() {
    return "usage: orbex-ttff --port NAME_OR_INDEX [--port ...] [port settings]\n"
           "                  --mode hot|warm|cold --count N [--interval S | --random-interval]\n"
           "                  [--cycle-timeout S] [--record FILE] [--json] [--summary FILE.json]\n"
           "                  [--report FILE.html] [--ref LAT,LON[,ALT]]\n"
           "                  [--limit S [--percentile P] [--max-failures N]]\n"
           "Runs a TTFF series on each receiver at once: resets it, times its first fix and\n"
           "repeats, exactly as Orbex's TTFF window. Prints the result list, or one JSON object\n"
           "per event with --json, then the statistics; shows each receiver's progress on\n"
           "standard error.\n"
           "Exit codes: 0 done; 1 the limit missed, a receiver lost, failing every cycle or\n"
           "measuring nothing, or a file write failing; 2 bad arguments, or a port or file that\n"
           "cannot be opened at the start.\n\n" +
           OptionHelp(TtffOptionTable());
}

}  // namespace orbex
