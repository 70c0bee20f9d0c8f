// The --ref value of the programs that take offsets about a known position: LAT,LON[,ALT] in
// signed degrees and metres, with "." decimals whatever the locale.
#pragma once

#include <string>

#include "decode/geo_point.h"

namespace orbex {

// Reads `text` into `reference` (altitude NaN when not given). Returns the reason it cannot,
// naming --ref, or "".
std::string ReadReferencePosition(const std::string& text, GeoPoint& reference);

}  // namespace orbex
