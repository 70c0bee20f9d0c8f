// The process-wide decoding state: the position-sample rings, the "$GPGGA" minutes flag and
// the southern-latitude beep setting. Only the user-interface thread decodes, so no lock.
#pragma once

#include <array>
#include <cstdint>

#include "decode/receiver_state.h"

namespace orbex {

inline constexpr int kPositionSampleCount = 300;

class PositionSamples {
  public:
    // Zeroes both rings and sampleNext (Connect does this).
    void Reset();
    // Adds the record's position as the sample at sampleNext (arc-seconds, south and west
    // negative), wrapping sampleNext from 300 to 0 first.
    void Add(const ReceiverState& state);

    std::int32_t sampleNext() const { return sampleNext_; }
    // The newest sample (at sampleNext - 1); zero when no sample was added since Reset.
    double newestLatArcSec() const;
    double newestLonArcSec() const;
    const std::array<double, kPositionSampleCount>& latSampleArcSec() const { return lat_; }
    const std::array<double, kPositionSampleCount>& lonSampleArcSec() const { return lon_; }

  private:
    std::array<double, kPositionSampleCount> lat_{};
    std::array<double, kPositionSampleCount> lon_{};
    std::int32_t sampleNext_ = 0;
};

struct DecodingState {
    PositionSamples samples;
    std::uint8_t ggaFourDigitMinutes = 0;  // 1 after a "$GPGGA" with four minute decimals
    bool latSBeep = false;                 // "LatSBeep": beep on a native record not "N"
};

// The one process-wide decoding state.
DecodingState& SharedDecodingState();
void ResetPositionSamples();

}  // namespace orbex
