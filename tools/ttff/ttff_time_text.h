// The time texts of a TTFF series, in Coordinated Universal Time and English under any locale.
#pragma once

#include <ctime>
#include <string>

namespace orbex {

// The result list's cycle start line: "Sat Dec 06 20:03:42 2003".
std::string CycleStartListText(std::time_t time);
// The cycle start text of a record, four fields: "2003,12,06,20:03:42".
std::string CycleStartRecordText(std::time_t time);
// For machine-readable output: "2003-12-06T20:03:42Z".
std::string IsoUtcText(std::time_t time);

}  // namespace orbex
