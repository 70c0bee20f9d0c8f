// The two forms orbex-stats prints its figures in: an aligned table for people, one JSON
// object for programs. Both are locale-independent.
#pragma once

#include <string>

#include "decode/accuracy_statistics.h"

namespace orbex {

std::string StatisticsTable(const AccuracyStatistics& stats, bool givenReference);
// {"fixes":N,"mean":{"lat":..,"lon":..,"alt":..},"sigma":{"north":..,"east":..,"up":..},
//  "cep50":..,"cep95":..,"2drms":..,"within":{"1":..,"2":..,"5":..,"10":..}}
// A figure that cannot be had (no altitude) is null.
std::string StatisticsJson(const AccuracyStatistics& stats);

}  // namespace orbex
