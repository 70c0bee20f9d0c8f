// How fast a recording is replayed. As designed, a replay queues its lines one millisecond
// apart, as fast as it can. Played "as recorded", the times the epochs carry (a native
// record's time, "$GPZDA", "$GPGGA") set the pace: a line whose time is later than the last
// one is held back until that much time has passed since, or a tenth of it at "x10".
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace orbex {

enum class ReplayPace {
    Fast,         // 1 ms a line (the designed replay)
    Recorded,     // as recorded
    RecordedX10,  // ten times as fast as recorded
};

// The time of day, in seconds, that a native record, "$GPZDA" or "$GPGGA" line carries;
// nothing for other lines or a time that is not one.
std::optional<double> EpochSecondOfDay(std::string_view line);

// Tells the replay reader when each line is due. Times are kept from an anchor, so that the
// waits do not drift by the time spent between them. A time that steps back (a new recording
// appended, not midnight) or jumps ahead by more than kLongestGap starts a new anchor: the
// line is due at once rather than after hours.
class ReplayPacer {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr double kLongestGap = 600.0;  // seconds of recording

    explicit ReplayPacer(ReplayPace pace) : pace_(pace) {}

    // When `line`, read at `now`, may be queued; nothing when it may be queued at once.
    std::optional<Clock::time_point> DueTime(std::string_view line, Clock::time_point now);

  private:
    ReplayPace pace_;
    std::optional<double> lastTime_;  // seconds of day of the last timed line
    Clock::time_point anchor_;        // when the anchor's line was queued
    double elapsed_ = 0;              // seconds of recording since the anchor
};

}  // namespace orbex
