// orbex-data's checks of the data files before anything is sent to the receiver: a file to
// transmit must open and hold the lines of its kind (64 for an almanac, 96 for an ephemeris),
// a file to acquire into must be writable (CheckFileToWrite). The windows keep their own order (the
// file is opened after "@AMI"); a script must not leave a receiver half-way into an upload for a
// missing file.
#pragma once

#include <optional>
#include <string>

namespace orbex {

// The reason `path` cannot be sent as `expectedLines` data lines (no count check when 0), or
// nothing when it can. `what` names the data in the message ("an almanac file").
std::optional<std::string> CheckFileToSend(const std::string& path, int expectedLines,
                                           const std::string& what);

}  // namespace orbex
