// The command line of orbex-ttff: the receivers and their line settings, the start mode, how
// many measurements and the pause between them, the result, summary and report files, the output
// form, the pass limit and the reference position.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/common/port_options.h"
#include "decode/geo_point.h"
#include "link/port_settings.h"
#include "tools/ttff/ttff_tables.h"

namespace orbex {

struct TtffOptions {
    std::vector<std::string> ports;  // indices into the port list, or device paths
    StartMode mode = StartMode::None;
    int count = 1;       // 0: until Ctrl-C
    int interval = 7;    // seconds, or kRandomInterval
    std::string record;  // result file; "{port}" stands for the receiver
    bool json = false;
    std::optional<double> limit;  // seconds
    double percentile = 95;
    int maxFailures = 0;                 // failed cycles --limit tolerates
    std::optional<double> cycleTimeout;  // seconds a cycle may wait for its fix
    std::string summary;                 // JSON summary file, replaced after every cycle
    std::string report;                  // HTML report written at the end
    std::optional<GeoPoint> reference;   // where the receivers' antennas are
    PortSettings settings = SettingsWithoutHandshake();  // the line settings of every port
    bool help = false;
};

// Reads the arguments (without the program name). False with a one-line reason in `error`.
bool ParseTtffOptions(const std::vector<std::string>& arguments, TtffOptions& options,
                      std::string& error);

// The result file of one receiver: "{port}" replaced by the port's name without "/dev/" and
// with "/" as "_".
std::string RecordPathFor(const std::string& pattern, const std::string& port);

std::string TtffUsage();

}  // namespace orbex
