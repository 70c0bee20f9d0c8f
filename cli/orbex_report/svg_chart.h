// The report's pictures as inline SVG: a histogram of TTFFs with 1 s bins, the cumulative
// distribution of one or more series with the limit line, and the scatter of fixes about the
// reference with the CEP circles. Numbers in the SVG read the same under any locale.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "decode/accuracy_statistics.h"

namespace orbex {

// One bar per whole second from the smallest to the largest time, empty seconds included; each
// bar carries its second (data-bin) and its count (data-count). No values: a note instead.
std::string HistogramSvg(const std::vector<double>& seconds, const std::string& title);

struct CdfSeries {
    std::string name;
    std::vector<double> seconds;
};

// The share of each series' results at or below each time, as steps; with a limit, a vertical
// line at it, a horizontal one at the percentile's share, and `verdict` written beside them.
std::string CdfSvg(const std::vector<CdfSeries>& series, std::optional<double> limit,
                   double percentile, const std::string& verdict);

// The offsets (east right, north up, metres) on an equal scale about the reference, with the
// CEP50 and CEP95 circles.
std::string ScatterSvg(const std::vector<LocalOffset>& offsets, double cep50, double cep95);

}  // namespace orbex
