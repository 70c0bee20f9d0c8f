// The --ref value of the programs that take offsets about a known position: LAT,LON[,ALT] in
// signed degrees and metres, with "." decimals whatever the locale.
#pragma once

#include <optional>
#include <string>

#include "decode/geo_point.h"

namespace orbex {

// Reads `text` into `reference` (altitude NaN when not given). Returns the reason it cannot,
// naming --ref, or "".
std::string ReadReferencePosition(const std::string& text, GeoPoint& reference);

// The `set` of a --ref option row: the position into `field`, which keeps what it held when the
// text cannot be read.
template <typename Class>
auto SetsReference(std::optional<GeoPoint> Class::*field) {
    return [field](Class& options, const std::string& value) {
        GeoPoint reference;
        std::string error = ReadReferencePosition(value, reference);
        if (error.empty()) {
            options.*field = reference;
        }
        return error;
    };
}

}  // namespace orbex
