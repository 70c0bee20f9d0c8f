// The code characters of the fixed-column records (satellite, elevation, azimuth, status,
// level, DOP class) are compared and counted as the receiver's byte values, 0 to 255, so that
// a byte above 127 is a large code everywhere and never a negative one.
#pragma once

namespace orbex {

constexpr int CodeValue(char code) {
    return static_cast<unsigned char>(code);
}

}  // namespace orbex
