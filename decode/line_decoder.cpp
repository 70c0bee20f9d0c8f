#include "decode/line_decoder.h"

#include "decode/decode_line.h"
#include "decode/error_beep.h"

namespace orbex {

bool LineDecoder::Decode(ReceiverState& state, std::string_view line) {
    switch (DecodeLineShape(state, line)) {
        case LineShape::Refused:
            return false;
        case LineShape::NativeRecord:
            if (latSBeep_ && state.latHemisphere != 'N') {
                SoundErrorBeep();
            }
            // Of the records in the native layout only the "SM" version adds a sample; "D0",
            // "C6" and the others do not.
            if (line.starts_with("SM")) {
                samples_.Add(state);
            }
            return true;
        case LineShape::FourChannelRecord:
            return true;
        case LineShape::Sentence:
            if (state.latMinuteDigits != 0) {
                ggaFourDigitMinutes_ = state.latMinuteDigits == 4 ? 1 : 0;
            }
            // A GGA sentence (of GPS or a GNSS talker) adds a sample only when it carries a
            // fix: its quality field is present and not "0", and its latitude and longitude
            // fields are not empty (the GGA decoder says so in `checked.claimsFix`, and no
            // other decoder sets it). Before their first fix receivers send the sentence every
            // second with empty fields, which must not add a sample at (0, 0).
            if (state.checked.claimsFix) {
                samples_.Add(state);
            }
            return true;
    }
    return false;
}

}  // namespace orbex
