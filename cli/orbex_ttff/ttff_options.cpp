#include "cli/orbex_ttff/ttff_options.h"

#include <charconv>
#include <set>

namespace orbex {
namespace {

bool ParseNumber(const std::string& text, double low, double high, double& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

bool ParseWhole(const std::string& text, int low, int high, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value >= low && value <= high;
}

}  // namespace

bool ParseTtffOptions(const std::vector<std::string>& arguments, TtffOptions& options,
                      std::string& error) {
    bool intervalGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                error = option + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--port") {
            if (!value(text)) {
                return false;
            }
            options.ports.push_back(text);
        } else if (option == "--mode") {
            if (!value(text)) {
                return false;
            }
            options.mode = StartMode::None;
            for (std::size_t m = 1; m < kStartModes.size(); ++m) {
                if (text == kStartModes[m].optionName) {
                    options.mode = static_cast<StartMode>(m);
                }
            }
            if (options.mode == StartMode::None) {
                error = "--mode takes hot, warm or cold, not \"" + text + "\"";
                return false;
            }
        } else if (option == "--count") {
            if (!value(text) || !ParseWhole(text, 0, 1000000, options.count)) {
                error =
                    error.empty() ? "--count takes 0 (no end) or a number of measurements" : error;
                return false;
            }
        } else if (option == "--interval") {
            if (intervalGiven) {
                error = "give --interval or --random-interval once";
                return false;
            }
            if (!value(text) || !ParseWhole(text, 1, 1000000, options.interval)) {
                error = error.empty() ? "--interval takes whole seconds from 1" : error;
                return false;
            }
            intervalGiven = true;
        } else if (option == "--random-interval") {
            if (intervalGiven) {
                error = "give --interval or --random-interval once";
                return false;
            }
            options.interval = kRandomInterval;
            intervalGiven = true;
        } else if (option == "--record") {
            if (!value(options.record)) {
                return false;
            }
            if (options.record.empty()) {
                error = "--record needs a file name";
                return false;
            }
        } else if (option == "--json") {
            options.json = true;
        } else if (option == "--limit") {
            double limit = 0;
            if (!value(text) || !ParseNumber(text, 0, 1e9, limit)) {
                error = error.empty() ? "--limit takes seconds" : error;
                return false;
            }
            options.limit = limit;
        } else if (option == "--percentile") {
            if (!value(text) || !ParseNumber(text, 1e-9, 100, options.percentile)) {
                error =
                    error.empty() ? "--percentile takes a number above 0 and at most 100" : error;
                return false;
            }
        } else {
            error = "unknown option \"" + option + "\"";
            return false;
        }
    }
    if (options.help) {
        return true;
    }
    if (options.ports.empty()) {
        error = "give at least one --port";
        return false;
    }
    if (std::set<std::string>(options.ports.begin(), options.ports.end()).size() !=
        options.ports.size()) {
        error = "a --port is given twice";
        return false;
    }
    if (options.mode == StartMode::None) {
        error = "give --mode hot, warm or cold";
        return false;
    }
    if (options.ports.size() > 1 && !options.record.empty() &&
        options.record.find("{port}") == std::string::npos) {
        error = "with several --port, --record needs {port} in the file name";
        return false;
    }
    return true;
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

const char* TtffUsage() {
    return "usage: orbex-ttff --port NAME_OR_INDEX [--port ...] --mode hot|warm|cold --count N\n"
           "                  [--interval S | --random-interval] [--record FILE] [--json]\n"
           "                  [--limit S [--percentile P]]\n"
           "Runs a TTFF series on each receiver at once: resets it, times its first fix and\n"
           "repeats, exactly as Orbex's TTFF window. --count 0 runs until Ctrl-C; the next\n"
           "cycle starts when the pause seconds + 1 reach --interval (default 7, as \"0sec\");\n"
           "--random-interval draws 30 to 150 s per cycle. --record appends the result file\n"
           "({port} stands for the receiver). Prints the result list, or one JSON object per\n"
           "event with --json, then the statistics. With --limit, exits 0 only when the\n"
           "P-th percentile (default 95, nearest rank) of the TTFFs is at most S seconds.\n"
           "Exit codes: 0 done, 1 limit missed, 2 bad arguments or a port that cannot open.\n";
}

}  // namespace orbex
