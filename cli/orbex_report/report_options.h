// The command line of orbex-report: which report, its inputs, the output file and the figures
// that judge a series (limit, percentile) or place the fixes (reference position).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "decode/geo_point.h"

namespace orbex {

enum class ReportKind { Ttff, Accuracy };

struct ReportOptions {
    ReportKind kind = ReportKind::Ttff;
    std::vector<std::string> inputs;
    std::string output;
    std::optional<double> limit;        // seconds, ttff
    std::optional<double> percentile;   // ttff; else the input's, else 95
    std::optional<int> maxFailures;     // ttff; else the summary's, else 0
    std::optional<GeoPoint> reference;  // accuracy
    std::string title;
    bool help = false;
};

// Reads the arguments (without the program name). False with a one-line reason in `error`.
bool ParseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options,
                        std::string& error);

std::string ReportUsage();

}  // namespace orbex
