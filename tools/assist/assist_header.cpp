#include "tools/assist/assist_header.h"

#include <cctype>

namespace orbex {

namespace {

std::string Hex(std::uint64_t value, int digits) {
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    }
    return text;
}

std::uint16_t CrcStep(std::uint16_t crc, std::uint8_t byte) {
    crc ^= static_cast<std::uint16_t>(byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
        crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

}  // namespace

std::uint16_t Crc16Xmodem(std::string_view bytes) {
    std::uint16_t crc = 0;
    for (char c : bytes) {
        crc = CrcStep(crc, static_cast<std::uint8_t>(c));
    }
    return crc;
}

std::uint16_t AssistCheckCode(std::string_view hexText) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < hexText.size(); i += 2) {
        const int high = HexDigit(hexText[i]);
        const int low = i + 1 < hexText.size() ? HexDigit(hexText[i + 1]) : 0;
        crc = CrcStep(crc,
                      static_cast<std::uint8_t>((high < 0 ? 0 : high) << 4 | (low < 0 ? 0 : low)));
    }
    return crc;
}

int AssistDataLineCount(AssistNetwork network, std::string_view header) {
    const AssistNetworkLayout& layout = LayoutOf(network);
    if (header.size() <= layout.countColumn) {
        return -1;
    }
    const int v = HexDigit(header[layout.countColumn]);
    return layout.linesPerSatellite * ((v < 0 ? 0 : v) + 1);
}

std::size_t MinimumHeaderLength(AssistNetwork network) {
    return network == AssistNetwork::Gsm ? 28 : 34;
}

std::string AssistTimeStamp(AssistNetwork network, const GpsTime& time) {
    const auto week = static_cast<std::uint64_t>(time.week10 & 0x3FF);
    const auto seconds = static_cast<std::uint64_t>(time.timeOfWeek);
    if (network == AssistNetwork::Gsm) {
        const std::uint64_t units = seconds * 25 / 2;  // 80 ms units: seconds x 12.5, truncated
        return Hex(week << 25 | (units & 0x7FFFFF) << 2, 9);
    }
    return Hex(week << 30 | ((seconds * 1000) & 0x3FFFFFFF), 10);
}

std::string StampAssistHeader(AssistNetwork network, std::string_view header, const GpsTime& time) {
    const AssistNetworkLayout& layout = LayoutOf(network);
    std::string stamped(header.substr(0, layout.coveredChars));
    stamped.replace(layout.stampColumn, layout.stampChars, AssistTimeStamp(network, time));
    stamped += Hex(AssistCheckCode(stamped), 4);
    for (char& c : stamped) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return stamped + "\r\n";
}

}  // namespace orbex
