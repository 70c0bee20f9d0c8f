// One TTFF measurement cycle, fed one received line at a time: the settling pause, the reset,
// the wait for echo, banner, time sentence and fix, the hot path, the command check, the result
// and its record. It waits for nothing itself; RunTtffCycle (ttff_cycle_runner.h) takes the
// lines from the tool's line queue, and tests feed scripted lines with a fake clock.
#pragma once

#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "tools/ttff/ttff_host.h"
#include "tools/ttff/ttff_series.h"

namespace orbex {

// What the user-interface side fixed when it started the cycle.
struct CycleSetup {
    StartMode mode = StartMode::None;
    bool recordLog = false;
    std::string resultFile;
    std::time_t start = 0;
    std::string startText;  // "2003,12,06,20:03:42"
    int cycle = 0;
};

class TtffMeasurementCycle {
  public:
    TtffMeasurementCycle(TtffSeries& series, TtffHost& host, CycleSetup setup);

    // Builds the settling marker. (The stop request of an earlier cycle is cleared by whoever
    // starts this one, before its thread runs, so that a STOP right after START is not lost.)
    void Begin();
    // The settling pause ends early at a line beginning with "@ " + (count + 1) +
    // CR LF. The marker is never sent, so in practice the pause lasts 20 lines.
    static constexpr int kSettlingLines = 20;
    bool EndsSettling(std::string_view line) const;
    // A STOP during the settling pause ends the cycle before its reset is sent.
    bool StoppedWhileSettling();
    // The reset: the mode's name to the result list, its reset to the receiver.
    void SendReset();
    // One received line of the measurement; true when the cycle is over.
    bool OnLine(std::string_view line);
    // The end: the record of a counted result, then the report to the host.
    void Finish();
    // The worker was cancelled: no record, only the report.
    void Cancel();

    bool over() const { return end_.has_value(); }

  private:
    void HotPathResult();
    void NormalResult();
    void Count(double ttff);
    void EndWith(CycleEnd end, std::string error = {});

    TtffSeries& series_;
    TtffHost& host_;
    const CycleSetup setup_;
    std::string marker_;

    bool resetEchoSeen_ = false;
    bool bannerSeen_ = false;
    std::time_t t0_ = 0;
    bool timeSentenceSeen_ = false;
    bool fix_ = false;
    int fixCount_ = 0;
    int ggaCount_ = 0;
    int hotPathCounter_ = 0;
    bool waitingForFix_ = true;
    int failureCounter_ = 0;
    bool hotPath_ = false;
    // The same moments on the monotonic clock, for the sub-second intervals of the report.
    std::optional<std::chrono::steady_clock::time_point> resetWritten_;
    std::chrono::steady_clock::time_point bannerAt_;
    std::chrono::steady_clock::time_point firstFixAt_;
    std::chrono::steady_clock::time_point fixAt_;
    std::optional<CycleEnd> end_;
    std::string error_;
};

}  // namespace orbex
