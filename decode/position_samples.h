// The position-sample rings: the last 300 positions of native records and GGA fixes in signed
// arc-seconds, with their write index. A LineDecoder keeps one; the Position Plot reads it.
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
    // Starts the history over without clearing the rings: sampleNext becomes 0, so the next
    // sample is written first and no sample is newest until then (a new Position Plot does this).
    void Restart() { sampleNext_ = 0; }
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

}  // namespace orbex
