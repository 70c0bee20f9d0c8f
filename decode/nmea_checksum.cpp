#include "decode/nmea_checksum.h"

#include "decode/text_fields.h"

namespace orbex {

bool PassesNmeaChecksum(std::string_view sentence) {
    const std::size_t star = sentence.find('*');
    if (star == std::string_view::npos || star + 2 >= sentence.size()) {
        return false;
    }
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i) {
        sum ^= static_cast<unsigned char>(sentence[i]);
    }
    const int high = HexDigitValue(sentence[star + 1]);
    const int low = HexDigitValue(sentence[star + 2]);
    return high >= 0 && low >= 0 && static_cast<unsigned>(high * 16 + low) == sum;
}

}  // namespace orbex
