// Reads a recording (native records, 4-channel records, NMEA, or a mix) as receivers write it
// (RecordingLineReader), decodes every line and keeps the fixes in order, dated where the
// stream allows.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "decode/position_fix.h"

namespace orbex {

struct RecordingFixes {
    std::vector<PositionFix> fixes;
    std::size_t lines = 0;    // lines read
    std::size_t decoded = 0;  // lines that decoded
    bool opened = false;      // the file could be opened
    bool stopped = false;     // the reading was stopped before the end
};

// False with a one-line reason in `error` when the file cannot be opened or read, or when
// `stop` said so (then `stopped` is set); the fixes found before are kept in `result`.
bool ReadRecordingFixes(const std::string& path, RecordingFixes& result, std::string& error,
                        const std::function<bool()>& stop = {});

}  // namespace orbex
