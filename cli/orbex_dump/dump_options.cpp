#include "cli/orbex_dump/dump_options.h"

#include "cli/common/option_setters.h"
#include "cli/common/option_table.h"
#include "cli/common/port_options.h"

namespace orbex {

namespace {

// The options as they are read: each source option is counted, since exactly one must be given.
struct DumpCommandLine : DumpOptions {
    int sources = 0;
    bool paceGiven = false;
};

std::string SetSource(DumpCommandLine& line, DumpSource source, std::string& target,
                      const std::string& value) {
    target = value;
    line.source = source;
    ++line.sources;
    return {};
}

const OptionTable<DumpCommandLine>& DumpOptionTable() {
    static const OptionTable<DumpCommandLine> table = [] {
        OptionTable<DumpCommandLine> rows = {
            {"--port", "NAME_OR_INDEX", "a port: an index into the port list or a device path",
             [](DumpCommandLine& c, const std::string& v) {
                 return SetSource(c, DumpSource::Port, c.port, v);
             }},
            {"--replay", "FILE", "replay a recording through the link as Orbex does",
             [](DumpCommandLine& c, const std::string& v) {
                 return SetSource(c, DumpSource::Replay, c.path, v);
             }},
            {"--file", "FILE", "read a recording directly, at full speed",
             [](DumpCommandLine& c, const std::string& v) {
                 return SetSource(c, DumpSource::File, c.path, v);
             }},
        };
        AddPortSettingRows(rows, &DumpCommandLine::settings);
        const OptionTable<DumpCommandLine> more = {
            {"--pace", "fast|recorded|x10", "replay pace (default fast, a line a millisecond)",
             [](DumpCommandLine& c, const std::string& v) {
                 int pace = 0;
                 std::string error = ReadChoice("--pace", v, {"fast", "recorded", "x10"}, pace);
                 c.pace = static_cast<ReplayPace>(pace);
                 c.paceGiven = true;
                 return error;
             }},
            {"--export", "csv|gpx|kml", "write the recording's fixes instead (with --file)",
             [](DumpCommandLine& c, const std::string& v) {
                 c.exportFormat = ExportFormatNamed(v);
                 return c.exportFormat ? std::string()
                                       : "--export takes csv, gpx or kml, not '" + v + "'";
             }},
            {"--send", "TEXT", "a command sent after opening (repeatable)",
             [](DumpCommandLine& c, const std::string& v) {
                 c.commands.push_back(v);
                 return std::string();
             }},
            {"--count", "N", "stop after N lines",
             SetsWholeNumber("--count", 1, 1L << 62, &DumpCommandLine::count)},
            {"--seconds", "S", "stop after S seconds",
             SetsDecimal("--seconds", 1e-3, 1e9, &DumpCommandLine::seconds)},
            {"--decode", nullptr, "print one JSON object per line instead of the line",
             SetsFlag(&DumpCommandLine::decode)},
        };
        rows.insert(rows.end(), more.begin(), more.end());
        return rows;
    }();
    return table;
}

// What the options make of a dump: one source, and only the options that go with it.
std::string CheckDumpCommandLine(const DumpCommandLine& line) {
    if (line.sources != 1) {
        return line.sources == 0 ? "give one of --port, --replay or --file"
                                 : "give only one of --port, --replay or --file";
    }
    if (line.paceGiven && line.source != DumpSource::Replay) {
        return "--pace sets how a replay runs: use it with --replay";
    }
    if (line.exportFormat && (line.source != DumpSource::File || line.decode)) {
        return "--export reads a recording: use it with --file and without --decode";
    }
    if (line.source == DumpSource::File && !line.commands.empty()) {
        return "--send needs a link: use it with --port or --replay";
    }
    return {};
}

}  // namespace

bool ParseDumpOptions(const std::vector<std::string>& arguments, DumpOptions& options,
                      std::string& error) {
    return ParseOptionsOnly<DumpCommandLine>(DumpOptionTable(), arguments, options, error,
                                             CheckDumpCommandLine);
}

std::string DumpUsage() {
    return "usage: orbex-dump --port NAME_OR_INDEX [port settings] [--send TEXT]... [--decode]\n"
           "       orbex-dump --replay FILE [--pace fast|recorded|x10] [--decode]\n"
           "       orbex-dump --file FILE [--decode | --export csv|gpx|kml]\n"
           "Prints every received line as received (terminator included), or with --decode\n"
           "one JSON object per line. A port opens at 9600 baud, 8 data bits, no parity, 1\n"
           "stop bit and no handshake unless told otherwise; a port that goes away is reopened\n"
           "with the same settings when it comes back.\n\n" +
           OptionHelp(DumpOptionTable());
}

}  // namespace orbex
