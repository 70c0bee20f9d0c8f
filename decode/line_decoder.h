// LineDecoder: the decoder of one stream of received lines. It decodes each line into a record
// and keeps what carries over from line to line: the position-sample rings, the "$GPGGA"
// minutes flag and the southern-latitude beep setting. Whoever decodes owns one (Orbex's
// dispatch, each command-line program, each benchmark), and the monitor windows read the one
// they were made with, so two decoders never see each other's lines.
#pragma once

#include <cstdint>
#include <string_view>

#include "decode/position_samples.h"
#include "decode/receiver_state.h"

namespace orbex {

class LineDecoder {
  public:
    LineDecoder() = default;
    // A decoder belongs to one stream; windows hold it by reference.
    LineDecoder(const LineDecoder&) = delete;
    LineDecoder& operator=(const LineDecoder&) = delete;

    // Decodes one received line, terminator included, into a zeroed record as DecodeLine does
    // (false, with the thread's system error code kErrorInvalidBlock, when the line is not
    // one). A native record beginning "SM", or a GGA sentence that carries a fix, adds a
    // position sample; a GGA sentence with a latitude sets the minutes flag; a native record
    // whose latitude is not "N" sounds the error beep when the beep setting is on.
    bool Decode(ReceiverState& state, std::string_view line);

    PositionSamples& samples() { return samples_; }
    const PositionSamples& samples() const { return samples_; }
    // 1 after a GGA sentence whose latitude had four or more decimals of minutes, 0 after one
    // with fewer (and before any): the windows divide the minute fraction by 10000 or 1000.
    std::uint8_t ggaFourDigitMinutes() const { return ggaFourDigitMinutes_; }
    // The "LatSBeep" setting.
    void SetLatSBeep(bool on) { latSBeep_ = on; }
    bool latSBeep() const { return latSBeep_; }

  private:
    PositionSamples samples_;
    std::uint8_t ggaFourDigitMinutes_ = 0;
    bool latSBeep_ = false;
};

}  // namespace orbex
