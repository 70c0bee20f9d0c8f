#include "decode/error_beep.h"

#include <atomic>
#include <utility>

namespace orbex {

namespace {

// The beep is process-wide: one installed function and one count. Only the user-interface
// thread decodes, but the count is atomic so that a test thread may read it.
std::function<void()>& BeepFunction() {
    static std::function<void()> beep;
    return beep;
}

std::atomic<long> beepCount{0};

}  // namespace

void SoundErrorBeep() {
    beepCount.fetch_add(1, std::memory_order_relaxed);
    if (const std::function<void()>& beep = BeepFunction()) {
        beep();
    }
}

void SetErrorBeepFunction(std::function<void()> beep) {
    BeepFunction() = std::move(beep);
}

long ErrorBeepCount() {
    return beepCount.load(std::memory_order_relaxed);
}

}  // namespace orbex
