// The acquisition of almanac or ephemeris data: the worker waits until the receiver's output is
// recognised, sends the dump command ("@AMO" or "@EMO"), skips lines up to its echo and stores
// the next 64 (96) lines, whatever they are, in the output file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/transfer/transfer_session.h"

namespace orbex {

struct AcquisitionPlan {
    const char* command;  // sent with CR LF; its echo is awaited by its first four characters
    int lines;
};
AcquisitionPlan AcquisitionPlanFor(std::uint8_t mode);

// Synchronisation: whether a line counts as recognised receiver output. A native record ("SM")
// counts only at its full length of 150 characters with its line end; "$GP", "$PS" and "$PVLM"
// sentences count; `recognised` keeps its value for any other line.
void UpdateRecognised(std::string_view line, bool& recognised);

// Runs the acquisition for mode 0 (almanac) or 2 (ephemeris) into `path`. Progress 10 when the
// output is recognised, 20 when the file is open, 30 at the echo, then 30 + line number.
TransferResult RunAcquisition(TransferSession& session, std::uint8_t mode, const std::string& path);

}  // namespace orbex
