// The results of TTFF series as orbex-ttff --json prints them: one object per cycle that gave
// a time or failed, and a statistics object at the end. Several files (say, two firmware
// versions) are read into one set, each receiver named by its port and, with several files,
// by its file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orbex {

struct TtffCycle {
    std::string receiver;
    int cycle = 0;
    std::string start;  // ISO UTC text as printed
    bool failed = false;
    std::string error;  // why the cycle failed
    double ttff = 0;    // seconds: "ttff_ms" / 1000 when given, else the whole seconds
    bool milliseconds = false;
    double lat = 0, lon = 0, alt = 0;
    std::optional<double> errorMetres;  // distance of the first fix from the reference
    bool hot = false;
};

struct TtffResults {
    std::vector<std::string> files;
    std::vector<std::string> receivers;  // in the order they first appear
    std::vector<TtffCycle> cycles;
    std::optional<double> percentile;  // from the first statistics object
    std::vector<std::string> skipped;  // "file:line: reason" of lines that are no result
};

// Adds the lines of `path` to `results`; `label` (may be empty) goes before each port name.
// False with a one-line reason when the file cannot be read; lines that are not results are
// listed in `results.skipped` and the rest is kept.
bool ReadTtffResults(const std::string& path, const std::string& label, TtffResults& results,
                     std::string& error);

// The results of one receiver (all of them for an empty name), and its failure count.
std::vector<double> TtffsOf(const TtffResults& results, const std::string& receiver);
int FailuresOf(const TtffResults& results, const std::string& receiver);

}  // namespace orbex
