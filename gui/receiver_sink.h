// The two update entries of a monitor window, which the main window calls directly for every
// dispatched line: raw lines for the raw-line kinds, decoded records for the record kinds.
#pragma once

#include <string_view>

#include "decode/receiver_state.h"

namespace orbex {

class ReceiverSink {
  public:
    virtual ~ReceiverSink() = default;
    // The line as received, terminator included.
    virtual void OnReceiverLine(std::string_view line) { (void)line; }
    virtual void OnReceiverRecord(const ReceiverState& record) { (void)record; }
};

}  // namespace orbex
