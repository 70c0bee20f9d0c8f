// What the Signal History window knows: each satellite's signal over the last ten minutes of
// receiver time, on one scale at a time. From NMEA it is the C/N0 of the completed "$GPGSV"
// groups in dB-Hz, with the satellites of the last "$GPGSA" marked as used; from the native
// records it is their channels' level codes (code - "A"), which are not dB-Hz and get a scale of
// their own. Fed one decoded record at a time, without widgets.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <vector>

#include "decode/receiver_state.h"

namespace orbex {

enum class SignalScale { None, DbHz, LevelCode };

struct SignalSample {
    double time = 0;  // seconds on the history's own clock
    int value = 0;    // dB-Hz or level
};

struct SignalTrack {
    bool used = false;  // in the fix at the latest sample set
    std::deque<SignalSample> samples;
};

class SignalHistory {
  public:
    static constexpr double kSpanSeconds = 600;
    // Samples further apart than this are not joined: the satellite was lost in between.
    static constexpr double kGapSeconds = 5;

    // Takes one record; true when a sample set was added (the picture changed).
    bool Update(const ReceiverState& record);

    SignalScale scale() const { return scale_; }
    // Satellite number -> its track; only satellites with a sample in the span.
    const std::map<int, SignalTrack>& tracks() const { return tracks_; }
    // The clock of the latest sample set (the right edge of the picture).
    double now() const { return now_; }
    // The highest value in the span, for the scale's top.
    int highest() const;

  private:
    struct Reading {
        int prn = 0;
        int value = 0;
    };
    void SetScale(SignalScale scale);
    void TakeTime(int hour, int minute, int second);
    void AddSet(const std::vector<Reading>& readings, const std::vector<int>& used);
    void UpdateGsv(const ReceiverState& record);
    void UpdateNative(const ReceiverState& record);

    SignalScale scale_ = SignalScale::None;
    std::map<int, SignalTrack> tracks_;
    double now_ = 0;
    bool timeKnown_ = false;
    double lastTimeOfDay_ = -1;
    double dayOffset_ = 0;
    double clock_ = 0;  // the receiver time unwrapped past midnight, or the set count without one
    std::vector<int> usedPrn_;                    // of the last "$GPGSA"
    std::array<Reading, kChannelCount> group_{};  // the "$GPGSV" group being received
};

}  // namespace orbex
