// The eight port settings a link is opened with, and the value lists their indices point into.
#pragma once

#include <array>
#include <cstdint>

namespace orbex {

struct PortSettings {
    std::int32_t speed = 6;     // index into kBaudRates (6 = 9600)
    std::int32_t stopBits = 0;  // 0 = 1, 1 = 1.5, 2 = 2
    std::int32_t parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::int32_t dataBits = 1;  // 0 = 7 bits, 1 = 8 bits
    std::int32_t flowDsr = 0;
    std::int32_t flowRts = 0;
    std::int32_t flowXon = 1;
    std::int32_t portIndex = 0;
};

inline constexpr std::array<std::uint32_t, 15> kBaudRates = {
    110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000,
    256000};
inline constexpr std::array<const char*, 5> kParityTexts = {"None", "Odd", "Even", "Mark", "Space"};
inline constexpr std::array<int, 2> kDataBitValues = {7, 8};
inline constexpr std::array<const char*, 2> kDataBitTexts = {"7", "8"};
inline constexpr std::array<const char*, 3> kStopBitTexts = {"1", "1.5", "2"};

}  // namespace orbex
