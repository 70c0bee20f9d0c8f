// What a TTFF series needs from whoever runs it: a result list, the count and average boxes,
// the send to the receiver, the clock, messages, the series timer and the cycles' outcomes.
// The TTFF window implements it with its dialog; orbex-ttff prints.
#pragma once

#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "tools/ttff/gga_position.h"

namespace orbex {

// How a cycle ended.
enum class CycleEnd {
    Result,         // a TTFF was measured and counted
    TimeError,      // "Error dTTFFTime ...": not counted
    CommandFailed,  // no reset echo while the receiver kept its fix
    Stopped,        // STOP or CLEAR
    Cancelled,      // the window closed or the program was interrupted
};

struct CycleReport {
    CycleEnd end = CycleEnd::Cancelled;
    int cycle = 0;  // 1 for the first cycle started since the series state was made
    std::time_t start = 0;
    double ttff = 0;
    bool hotPath = false;
    std::string error;  // the result-list text of a failure
    TtffPosition position;
    bool recordWritten = false;
    bool recordFailed = false;
    // Results only, on the host's monotonic clock: from the banner's arrival (hot path: from
    // the banner) to the fixed "$GPGGA" that ended the cycle (hot path: its first fixed one),
    // and from the reset's last byte written to that same sentence.
    std::optional<double> ttffMs;
    std::optional<double> resetToFixMs;
};

class TtffHost {
  public:
    virtual ~TtffHost() = default;
    // Any thread: one line of the result list.
    virtual void AddResultLine(const std::string& text) = 0;
    // Any thread: the "Count" and "Average" boxes.
    virtual void ShowCountAndAverage(double count, int average) = 0;
    // User-interface side (CLEAR): empties the result list and both boxes.
    virtual void ClearResults() {}
    // Worker: the bytes of a reset, through the owner of the link.
    virtual void SendToReceiver(std::string_view bytes) = 0;
    // Any thread: calendar time in seconds.
    virtual std::time_t Now() { return std::time(nullptr); }
    // Any thread: the monotonic clock the sub-second intervals are read on.
    virtual std::chrono::steady_clock::time_point MonotonicNow() {
        return std::chrono::steady_clock::now();
    }
    // User-interface side: "Please push stop button !\n" and "Please select command !\n".
    virtual void ShowError(const std::string& text) { (void)text; }
    // User-interface side: start or stop the 1-second series timer.
    virtual void SetSeriesTimer(bool running) { (void)running; }
    // Worker: a cycle has ended (after its record, if any).
    virtual void OnCycleEnded(const CycleReport& report) { (void)report; }
};

}  // namespace orbex
