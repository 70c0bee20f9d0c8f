// The command line of orbex-dump: where the lines come from (a port, a replayed recording,
// or a recording read directly), what is sent after opening, and when to stop.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/common/port_options.h"
#include "cli/orbex_dump/fix_export.h"
#include "link/port_settings.h"
#include "link/replay_pace.h"

namespace orbex {

enum class DumpSource { Port, Replay, File };

struct DumpOptions {
    DumpSource source = DumpSource::Port;
    std::string port;  // an index into the port list, or a device path
    std::string path;  // the recording for Replay and File
    PortSettings settings = SettingsWithoutHandshake();  // a dump passes every byte on
    std::vector<std::string> commands;                   // sent with WriteLine after opening
    std::optional<long> count;                           // stop after this many lines
    std::optional<double> seconds;                       // stop after this long
    bool decode = false;                       // print the decoded JSON object instead of the line
    std::optional<ExportFormat> exportFormat;  // --file only: write the fixes in this format
    ReplayPace pace = ReplayPace::Fast;        // --replay only: --pace fast|recorded|x10
    bool help = false;
};

// Reads the arguments (without the program name). False with a one-line reason in `error`
// when they make no sense.
bool ParseDumpOptions(const std::vector<std::string>& arguments, DumpOptions& options,
                      std::string& error);

// The usage text for --help.
std::string DumpUsage();

}  // namespace orbex
