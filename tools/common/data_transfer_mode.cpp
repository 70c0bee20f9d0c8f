#include "tools/common/data_transfer_mode.h"

#include <atomic>

namespace orbex {

namespace {
// Process-wide: set on the user-interface thread, read by tool windows and their workers.
std::atomic<std::uint8_t> mode{kTransferAlmanac};
}  // namespace

void SetDataTransferMode(std::uint8_t value) {
    mode.store(value);
}

std::uint8_t CurrentDataTransferMode() {
    return mode.load();
}

}  // namespace orbex
