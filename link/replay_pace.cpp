#include "link/replay_pace.h"

#include <charconv>

namespace orbex {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr std::size_t kNativeRecordLength = 148;  // without its terminator
constexpr std::size_t kNativeTimeColumn = 13;     // hh mm ss in columns 13-18

std::string_view WithoutTerminator(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' ||
                             static_cast<unsigned char>(line.back()) == 0xDA)) {
        line.remove_suffix(1);
    }
    return line;
}

// "hhmmss", optionally followed by decimals ("hhmmss.ss"), at the start of `text`.
std::optional<double> TimeOfDay(std::string_view text, bool decimals) {
    if (text.size() < 6) {
        return std::nullopt;
    }
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const char* begin = text.data() + 2 * i;
        const auto [end, error] = std::from_chars(begin, begin + 2, parts[i]);
        if (error != std::errc() || end != begin + 2) {
            return std::nullopt;
        }
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 60) {
        return std::nullopt;
    }
    double seconds = parts[0] * 3600.0 + parts[1] * 60.0 + parts[2];
    if (decimals && text.size() > 7 && text[6] == '.') {
        double fraction = 0.1;
        for (std::size_t i = 7; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            seconds += (text[i] - '0') * fraction;
            fraction /= 10;
        }
    }
    return seconds;
}

}  // namespace

std::optional<double> EpochSecondOfDay(std::string_view line) {
    for (std::string_view tag : {"$GPGGA,", "$GPZDA,"}) {
        if (line.starts_with(tag)) {
            return TimeOfDay(line.substr(tag.size()), true);
        }
    }
    const std::string_view text = WithoutTerminator(line);
    if (text.size() == kNativeRecordLength &&
        (text.starts_with("SM") || text.starts_with("D0") || text.starts_with("C6"))) {
        return TimeOfDay(text.substr(kNativeTimeColumn, 6), false);
    }
    return std::nullopt;
}

std::optional<ReplayPacer::Clock::time_point> ReplayPacer::DueTime(std::string_view line,
                                                                   Clock::time_point now) {
    if (pace_ == ReplayPace::Fast) {
        return std::nullopt;
    }
    const std::optional<double> time = EpochSecondOfDay(line);
    if (!time) {
        return std::nullopt;
    }
    double step = lastTime_ ? *time - *lastTime_ : -1.0;
    if (step < -kSecondsPerDay / 2) {
        step += kSecondsPerDay;  // past midnight
    }
    lastTime_ = time;
    if (step < 0 || step > kLongestGap) {
        anchor_ = now;
        elapsed_ = 0;
        return std::nullopt;
    }
    elapsed_ += step;
    const double speed = pace_ == ReplayPace::RecordedX10 ? 10.0 : 1.0;
    return anchor_ + std::chrono::duration_cast<Clock::duration>(
                         std::chrono::duration<double>(elapsed_ / speed));
}

}  // namespace orbex
