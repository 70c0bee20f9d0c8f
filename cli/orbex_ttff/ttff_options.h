// The command line of orbex-ttff: the receivers, the start mode, how many measurements and the
// pause between them, the result file, the output form and the pass limit.
#pragma once

#include <optional>
#include <string>
#include <vector>

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
