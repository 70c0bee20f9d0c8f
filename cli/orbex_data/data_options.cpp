#include "cli/orbex_data/data_options.h"

#include <array>

#include "cli/common/option_setters.h"
#include "cli/common/option_table.h"
#include "cli/common/port_options.h"

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

const OptionTable<DataOptions>& DataOptionTable() {
    static const OptionTable<DataOptions> table = [] {
        OptionTable<DataOptions> rows = {
            {"--port", "NAME_OR_INDEX", "a device path, or an index into Orbex's port list",
             SetsText(&DataOptions::port)},
            {"--file", "FILE",
             "the data file (default: as Orbex, FILEPATH under ALMANAC or ASSIST in the "
             "settings, else the program's directory)",
             SetsNonEmpty("--file", "a non-empty path", &DataOptions::file)},
            {"--dir", "DIR", "the folder of AL.DAT, EP.DAT and AS.DAT",
             SetsNonEmpty("--dir", "a non-empty path", &DataOptions::directory)},
            {"--timeout", "S",
             "end any wait for the receiver after S seconds, synchronisation and the "
             "upload's confirmation included (Orbex waits for the user's Cancel)",
             SetsDecimal("--timeout", 1e-3, 1e9, &DataOptions::timeout)},
            {"--json", nullptr, "print the outcome as one JSON object on standard output",
             SetsFlag(&DataOptions::json)},
        };
        AddPortSettingRows(rows, &DataOptions::settings);
        return rows;
    }();
    return table;
}

}  // namespace

bool ParseDataOptions(const std::vector<std::string>& arguments, DataOptions& options,
                      std::string& error) {
    options = DataOptions{};
    CommandWords command;
    error = ReadOptions(DataOptionTable(), arguments, options, command);
    options.help = command.help;
    if (options.help) {
        error.clear();
        return true;
    }
    if (!error.empty()) {
        return false;
    }
    const std::vector<std::string>& words = command.words;
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

std::string DataKindName(DataKind kind) {
    for (const KindName& name : kKinds) {
        if (name.kind == kind) {
            return name.name;
        }
    }
    return {};
}

std::string DataUsage() {
    return "usage: orbex-data get|put almanac|ephemeris|both|assist-gsm|assist-wcdma\n"
           "                  --port NAME_OR_INDEX [--file FILE | --dir DIR] [--timeout S] "
           "[--json]\n"
           "                  [port settings]\n"
           "\n"
           "Acquires almanac, ephemeris or assistance data from the receiver into AL.DAT,\n"
           "EP.DAT or AS.DAT ('get'), or transmits a stored file into the receiver ('put'),\n"
           "with the same worker code as Orbex's Tools menu. 'get both' runs the almanac and\n"
           "the ephemeris acquisition one after the other; 'put both' sends both. The port\n"
           "opens without handshake unless --rtscts or --xonxoff is given.\n"
           "\n" +
           OptionHelp(DataOptionTable()) +
           "\nThe files are checked before anything is sent: a file to transmit must open and\n"
           "hold 64 (almanac) or 96 (ephemeris) lines, a file to acquire into must be writable.\n"
           "The receiver's replies to an upload are read: a rejected line ends the run with\n"
           "the receiver's words. An acquisition replaces its file only when every line has\n"
           "come (the lines of a failed one stay in FILE.part). Ctrl-C and SIGTERM cancel.\n"
           "\nProgress goes to standard error. Exit status: 0 done; 1 the receiver failed,\n"
           "rejected the data, went silent or away, a default data file was unusable, or the\n"
           "run was cancelled; 2 bad arguments, or a port or a file named on the command line\n"
           "that cannot be opened at the start.\n";
}

}  // namespace orbex
