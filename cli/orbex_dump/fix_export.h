// The fixes of a recording as a file other programs read: CSV with a header row, a GPX 1.1
// track, or KML with the track as a LineString and placemarks at the first and last fix.
// Numbers are written with "." under any locale; times are UTC in ISO 8601 where the stream
// gave a date, and only the time of day (CSV) or nothing (GPX, KML) where it did not.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decode/position_fix.h"

namespace orbex {

enum class ExportFormat { Csv, Gpx, Kml };

// "csv", "gpx" or "kml" (case ignored).
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);

// The whole document. `title` (the recording's name) names the track; it is made safe for
// XML whatever bytes it holds.
std::string ExportFixes(ExportFormat format, const std::vector<PositionFix>& fixes,
                        std::string_view title);

}  // namespace orbex
