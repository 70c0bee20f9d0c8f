// The results of TTFF series as orbex-ttff writes them: --json prints one object per cycle that
// gave a time or failed and a statistics object at the end; a --summary file is one object
// with the run's options, each receiver's cycles and statistics, and the verdict. Several files
// (say, two firmware versions) are read into one set, each receiver named by its port and,
// with several files, by its file.
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

// The options and outcome of one run, as its summary file states them.
struct TtffRun {
    std::string source;  // the file it was read from
    std::string mode;
    std::optional<int> count, interval, maxFailures;
    std::optional<double> limit, percentile, cycleTimeout;
    std::vector<std::string> ports;
    std::vector<double> reference;  // latitude, longitude and maybe altitude; empty: none
    std::string verdict;            // "pass", "fail", or empty when nothing was judged
    std::optional<double> confidence;
    bool complete = true;  // false: written while the series ran or when it was interrupted
};

struct TtffResults {
    std::vector<std::string> files;
    std::vector<TtffRun> runs;           // one per summary file read
    std::vector<std::string> receivers;  // in the order they first appear
    std::vector<TtffCycle> cycles;
    std::optional<double> percentile;  // from the first statistics object
    std::vector<std::string> skipped;  // "file:line: reason" of lines that are no result
};

// Adds the results in `path` (a summary, or the lines of --json) to `results`; `label` (may be
// empty) goes before each port name. False with a one-line reason when the file cannot be read
// or is a summary that is not whole JSON; lines and cycles that are not results are listed in
// `results.skipped` and the rest is kept.
bool ReadTtffResults(const std::string& path, const std::string& label, TtffResults& results,
                     std::string& error);

// The same for text already in memory (say, the summary a running orbex-ttff holds); `source`
// names it in messages.
bool AddTtffResultsText(const std::string& text, const std::string& source,
                        const std::string& label, TtffResults& results, std::string& error);

// The results of one receiver (all of them for an empty name), and its failure count.
std::vector<double> TtffsOf(const TtffResults& results, const std::string& receiver);
int FailuresOf(const TtffResults& results, const std::string& receiver);

}  // namespace orbex
