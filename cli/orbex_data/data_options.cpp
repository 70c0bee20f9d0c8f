#include "cli/orbex_data/data_options.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace orbex {

namespace {

struct KindName {
    const char* name;
    DataKind kind;
};
constexpr std::array<KindName, 5> kKinds = {{{"almanac", DataKind::Almanac},
                                             {"ephemeris", DataKind::Ephemeris},
                                             {"both", DataKind::Both},
                                             {"assist-gsm", DataKind::AssistGsm},
                                             {"assist-wcdma", DataKind::AssistWcdma}}};

bool ParseSpeed(const std::string& text, PortSettings& settings) {
    unsigned long baud = 0;
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, baud);
    if (text.empty() || problem != std::errc() || stop != end) {
        return false;
    }
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        if (kBaudRates[i] == baud) {
            settings.speed = static_cast<std::int32_t>(i);
            return true;
        }
    }
    return false;
}

}  // namespace

bool ParseDataOptions(const std::vector<std::string>& arguments, DataOptions& options,
                      std::string& error) {
    options = DataOptions{};
    // The data lines are plain text: no handshake unless asked for, like orbex-dump.
    options.settings.flowXon = 0;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&](std::string& out) {
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
            return true;
        } else if (option == "--port") {
            if (!value(options.port)) {
                return false;
            }
        } else if (option == "--file" || option == "--dir") {
            if (!value(text)) {
                return false;
            }
            if (text.empty()) {
                error = option + " needs a non-empty path";
                return false;
            }
            (option == "--file" ? options.file : options.directory) = text;
        } else if (option == "--timeout") {
            if (!value(text)) {
                return false;
            }
            char* end = nullptr;
            const double seconds = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0) {
                error = "--timeout takes a number of seconds above 0, not '" + text + "'";
                return false;
            }
            options.timeout = seconds;
        } else if (option == "--speed") {
            if (!value(text)) {
                return false;
            }
            if (!ParseSpeed(text, options.settings)) {
                error =
                    "--speed takes one of 110, 300, 600, 1200, 2400, 4800, 9600, 14400, "
                    "19200, 38400, 56000, 57600, 115200, 128000, 256000, not '" +
                    text + "'";
                return false;
            }
        } else if (option == "--rtscts") {
            options.settings.flowRts = 1;
        } else if (option == "--xonxoff") {
            options.settings.flowXon = 1;
        } else if (!option.empty() && option[0] == '-') {
            error = "unknown option " + option;
            return false;
        } else {
            words.push_back(option);
        }
    }
    if (words.size() != 2 || (words[0] != "get" && words[0] != "put")) {
        error = "say what to do: get|put almanac|ephemeris|both|assist-gsm|assist-wcdma";
        return false;
    }
    options.direction = words[0] == "get" ? DataDirection::Get : DataDirection::Put;
    bool known = false;
    for (const KindName& kind : kKinds) {
        if (words[1] == kind.name) {
            options.kind = kind.kind;
            known = true;
        }
    }
    if (!known) {
        error = "unknown data '" + words[1] +
                "' (almanac, ephemeris, both, assist-gsm or assist-wcdma)";
        return false;
    }
    if (options.port.empty()) {
        error = "--port NAME_OR_INDEX is needed";
        return false;
    }
    if (options.kind == DataKind::Both && options.file) {
        error =
            "--file names one file; 'both' uses AL.DAT and EP.DAT (choose their folder "
            "with --dir)";
        return false;
    }
    if (options.file && options.directory) {
        error = "--file and --dir exclude each other";
        return false;
    }
    return true;
}

const char* DataUsage() {
    return "usage: orbex-data get|put almanac|ephemeris|both|assist-gsm|assist-wcdma\n"
           "                  --port NAME_OR_INDEX [--file FILE | --dir DIR] [--timeout S]\n"
           "                  [--speed N] [--rtscts] [--xonxoff]\n"
           "\n"
           "Acquires almanac, ephemeris or assistance data from the receiver into AL.DAT,\n"
           "EP.DAT or AS.DAT ('get'), or transmits a stored file into the receiver ('put'),\n"
           "with the same worker code as Orbex's Tools menu. 'get both' runs the almanac and\n"
           "the ephemeris acquisition one after the other; 'put both' sends both.\n"
           "\n"
           "  --port NAME_OR_INDEX  a device path, or an index into Orbex's port list\n"
           "  --file FILE           the data file (default: as Orbex, FILEPATH under ALMANAC\n"
           "                        or ASSIST in the settings, else the program's directory)\n"
           "  --dir DIR             the folder of AL.DAT, EP.DAT and AS.DAT\n"
           "  --timeout S           end any wait for the receiver after S seconds (Orbex waits\n"
           "                        for the user's Cancel); the partial file is kept\n"
           "  --speed N             baud rate (default 9600); no handshake unless --rtscts or\n"
           "                        --xonxoff\n"
           "\n"
           "Progress goes to standard error. Exit status: 0 done, 1 the receiver or a file\n"
           "failed (or Ctrl-C), 2 bad arguments or a port that cannot be opened.\n";
}

}  // namespace orbex
