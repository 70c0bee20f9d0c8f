#include "cli/common/reference_option.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace orbex {

namespace {

// A decimal number with "." whatever the locale; the whole text must be the number.
bool ParseNumber(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end && std::isfinite(value);
}

}  // namespace

std::string ReadReferencePosition(const std::string& text, GeoPoint& reference) {
    std::vector<std::string_view> parts;
    std::string_view rest = text;
    for (;;) {
        const std::size_t comma = rest.find(',');
        parts.push_back(rest.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    GeoPoint read;
    double alt = std::nan("");
    const bool parsed =
        (parts.size() == 2 || parts.size() == 3) && ParseNumber(parts[0], read.latDegrees) &&
        ParseNumber(parts[1], read.lonDegrees) && (parts.size() == 2 || ParseNumber(parts[2], alt));
    if (!parsed || std::fabs(read.latDegrees) > 90 || std::fabs(read.lonDegrees) > 180) {
        return "--ref takes LAT,LON[,ALT] in degrees (south and west negative) and metres, not '" +
               text + "'";
    }
    read.altitude = alt;
    reference = read;
    return {};
}

}  // namespace orbex
