#include "windows/signal_history/signal_history.h"

#include <algorithm>

#include "decode/lookup_tables.h"
#include "decode/record_code.h"
#include "windows/common/record_kind.h"

namespace orbex {

namespace {

constexpr int kSlotsPerGsvMessage = 4;
constexpr double kSecondsPerDay = 86400;

bool ValidClock(int hour, int minute, int second) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 61;
}

}  // namespace

int SignalHistory::highest() const {
    int top = 0;
    for (const auto& [prn, track] : tracks_) {
        for (const SignalSample& s : track.samples) {
            top = std::max(top, s.value);
        }
    }
    return top;
}

void SignalHistory::SetScale(SignalScale scale) {
    if (scale != scale_) {
        // Values of the other scale cannot share the picture.
        tracks_.clear();
        scale_ = scale;
    }
}

void SignalHistory::TakeTime(int hour, int minute, int second) {
    if (!ValidClock(hour, minute, second)) {
        return;
    }
    const double timeOfDay = hour * 3600.0 + minute * 60.0 + second;
    if (timeKnown_ && timeOfDay < lastTimeOfDay_ - kSecondsPerDay / 2) {
        dayOffset_ += kSecondsPerDay;  // past midnight
    }
    const double unwrapped = dayOffset_ + timeOfDay;
    if (!timeKnown_ || unwrapped < clock_ - kSpanSeconds) {
        // The first time, or the receiver's clock jumped back: start the history afresh.
        tracks_.clear();
    }
    timeKnown_ = true;
    lastTimeOfDay_ = timeOfDay;
    clock_ = unwrapped;
}

void SignalHistory::AddSet(const std::vector<Reading>& readings, const std::vector<int>& used) {
    if (!timeKnown_) {
        clock_ += 1;  // without a receiver time, one set a second
    }
    now_ = clock_;
    for (auto& [prn, track] : tracks_) {
        track.used = false;
    }
    for (const Reading& r : readings) {
        SignalTrack& track = tracks_[r.prn];
        track.samples.push_back({now_, r.value});
        track.used = std::find(used.begin(), used.end(), r.prn) != used.end();
    }
    for (auto it = tracks_.begin(); it != tracks_.end();) {
        auto& samples = it->second.samples;
        while (!samples.empty() && samples.front().time < now_ - kSpanSeconds) {
            samples.pop_front();
        }
        it = samples.empty() ? tracks_.erase(it) : std::next(it);
    }
}

bool SignalHistory::Update(const ReceiverState& record) {
    if (IsNativeRecord(record)) {
        UpdateNative(record);
        return true;
    }
    if (IsSentence(record, "$GPGGA") && record.checked.timeValid) {
        TakeTime(record.altTime.hour, record.altTime.minute, record.altTime.second);
    } else if (IsSentence(record, "$GPGSA")) {
        usedPrn_.clear();
        for (const SatelliteSlot& slot : record.satellites) {
            if (slot.gsaPrn != 0) {
                usedPrn_.push_back(slot.gsaPrn);
            }
        }
    } else if (IsSentence(record, "$GPGSV")) {
        const int k = record.gsvNumber;
        if (k < 1 || k > 4 || record.gsvTotal < k || record.gsvTotal > 4) {
            return false;
        }
        if (k == 1) {
            group_.fill({});
        }
        const int first = kSlotsPerGsvMessage * (k - 1);
        for (int i = first; i < first + kSlotsPerGsvMessage; ++i) {
            group_[i] = {record.satellites[i].gsvPrn, record.satellites[i].gsvSnr};
        }
        if (k != record.gsvTotal) {
            return false;
        }
        SetScale(SignalScale::DbHz);
        std::vector<Reading> readings;
        for (const Reading& r : group_) {
            // A satellite in view without a C/N0 is not tracked: its line breaks.
            if (r.prn != 0 && r.value > 0) {
                readings.push_back(r);
            }
        }
        AddSet(readings, usedPrn_);
        return true;
    }
    return false;
}

void SignalHistory::UpdateNative(const ReceiverState& record) {
    SetScale(SignalScale::LevelCode);
    if (record.nativeTime.dayCode != 0) {
        TakeTime(record.nativeTime.hour, record.nativeTime.minute, record.nativeTime.second);
    }
    const int channels = KindBegins(record, "C6") ? 6 : 12;
    std::vector<Reading> readings;
    for (int i = 0; i < channels; ++i) {
        const SatelliteSlot& slot = record.satellites[i];
        const int code = CodeValue(slot.prnCode);
        if (code < 'A' || code >= 'i' || slot.statusCode == 'A') {
            continue;  // no satellite, or not locked
        }
        readings.push_back(
            {SatelliteNumber(slot.prnCode), std::max(0, CodeValue(slot.levelCode) - 'A')});
    }
    // The native records do not list the satellites of the fix.
    AddSet(readings, {});
}

}  // namespace orbex
