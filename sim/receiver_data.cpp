#include "sim/receiver_data.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "sim/nmea_sentences.h"
#include "sim/sim_random.h"

namespace orbex::sim {
namespace {

std::string RandomHex(SimRandom& random, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < digits; ++i) {
        text += kDigits[random.Between(0, 15)];
    }
    return text;
}

std::vector<std::string> GenerateSatelliteLines(std::uint64_t seed, const char* prefix,
                                                int linesPerSatellite) {
    SimRandom random(seed);
    std::vector<std::string> lines;
    for (int prn = 1; prn <= 32; ++prn) {
        for (int k = 1; k <= linesPerSatellite; ++k) {
            char head[16];
            std::snprintf(head, sizeof head, "%s%02d,%d,", prefix, prn, k);
            lines.push_back(WithChecksum(head + RandomHex(random, 32)));
        }
    }
    return lines;
}

std::string Hex(std::uint64_t value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

std::uint64_t ParseHex(std::string_view text) {
    std::uint64_t value = 0;
    for (char c : text) {
        value = value << 4 | static_cast<std::uint64_t>(std::max(0, HexDigit(c)));
    }
    return value;
}

const char* NameOf(AssistNetwork network) {
    return LayoutOf(network).uploadName;
}

}  // namespace

std::vector<std::string> GenerateAlmanac(std::uint64_t seed) {
    return GenerateSatelliteLines(seed * 2 + 11, "ALM", 2);
}

std::vector<std::string> GenerateEphemeris(std::uint64_t seed) {
    return GenerateSatelliteLines(seed * 2 + 12, "EPH", 3);
}

bool IsDataLine(std::string_view line, std::string_view prefix) {
    const std::size_t star = line.rfind('*');
    if (line.substr(0, prefix.size()) != prefix || star == std::string_view::npos ||
        star + 3 != line.size()) {
        return false;
    }
    return Hex(NmeaChecksum(line.substr(0, star)), 2) == line.substr(star + 1);
}

std::uint16_t AssistCheckCode(std::string_view hexText) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < hexText.size(); i += 2) {
        const int high = std::max(0, HexDigit(hexText[i]));
        const int low = i + 1 < hexText.size() ? std::max(0, HexDigit(hexText[i + 1])) : 0;
        crc ^= static_cast<std::uint16_t>((high << 4 | low) << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
        }
    }
    return crc;
}

const AssistLayout& LayoutOf(AssistNetwork network) {
    static constexpr AssistLayout kGsm = {"ASO", "ASI", 27, 28, 0, 9, 2};
    static constexpr AssistLayout kWcdma = {"SIO", "SII", 34, 36, 24, 10, 1};
    return network == AssistNetwork::kGsm ? kGsm : kWcdma;
}

std::string AssistStampText(AssistNetwork network, SimMillis t) {
    const std::uint64_t week = static_cast<std::uint64_t>(GpsWeek10(t));
    const std::uint64_t towMillis = static_cast<std::uint64_t>(TimeOfWeekMillis(t));
    if (network == AssistNetwork::kGsm) {
        // 1 bit 0, 10-bit week, 23 bits of time of week in 80 ms units, 2 bits 0.
        const std::uint64_t units = towMillis / 80;
        return Hex(week << 25 | (units & 0x7FFFFF) << 2, 9);
    }
    // 10-bit week, 30 bits of time of week in milliseconds.
    return Hex(week << 30 | (towMillis & 0x3FFFFFFF), 10);
}

AssistStamp ReadAssistStamp(AssistNetwork network, std::string_view header) {
    const AssistLayout& layout = LayoutOf(network);
    AssistStamp stamp;
    if (header.size() < layout.stampColumn + layout.stampChars) {
        return stamp;
    }
    const std::uint64_t value = ParseHex(header.substr(layout.stampColumn, layout.stampChars));
    if (network == AssistNetwork::kGsm) {
        stamp.week = static_cast<int>(value >> 25 & 0x3FF);
        stamp.timeOfWeekSeconds = static_cast<double>(value >> 2 & 0x7FFFFF) * 0.08;
    } else {
        stamp.week = static_cast<int>(value >> 30 & 0x3FF);
        stamp.timeOfWeekSeconds = static_cast<double>(value & 0x3FFFFFFF) / 1000.0;
    }
    return stamp;
}

AssistBlock GenerateAssist(AssistNetwork network, int satellites, SimMillis t, std::uint64_t seed) {
    const AssistLayout& layout = LayoutOf(network);
    SimRandom random(seed * 2 + (network == AssistNetwork::kGsm ? 21 : 22));
    std::string body = RandomHex(random, static_cast<int>(layout.coveredChars));
    body.replace(layout.stampColumn, layout.stampChars, AssistStampText(network, t));
    body[layout.countColumn] = Hex(static_cast<std::uint64_t>(satellites - 1) & 0xF, 1)[0];
    AssistBlock block;
    block.header = body + Hex(AssistCheckCode(body), 4);
    const int lines = layout.linesPerSatellite * satellites;
    for (int i = 0; i < lines; ++i) {
        block.lines.push_back(RandomHex(random, 32));
    }
    return block;
}

int ExpectedAssistLines(AssistNetwork network, std::string_view header) {
    const AssistLayout& layout = LayoutOf(network);
    if (header.size() <= layout.countColumn) {
        return -1;
    }
    const int v = HexDigit(header[layout.countColumn]);
    return v < 0 ? -1 : layout.linesPerSatellite * (v + 1);
}

AssistVerdict CheckAssistUpload(AssistNetwork network, std::string_view header,
                                const std::vector<std::string>& lines, SimMillis t) {
    const AssistLayout& layout = LayoutOf(network);
    std::string problems;
    auto problem = [&](const std::string& text) {
        problems += problems.empty() ? text : ", " + text;
    };
    if (header.size() < layout.coveredChars + 4) {
        problem("header too short (" + std::to_string(header.size()) + " characters)");
    } else {
        const std::string expected = Hex(AssistCheckCode(header.substr(0, layout.coveredChars)), 4);
        std::string given(header.substr(layout.coveredChars, 4));
        for (char& c : given) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        if (given != expected) {
            problem("check code " + given + " (expected " + expected + ")");
        }
        const int week = ReadAssistStamp(network, header).week;
        const int receiverWeek = GpsWeek10(t);
        const int distance = ((week - receiverWeek) % 1024 + 1024 + 512) % 1024 - 512;
        if (distance < -1 || distance > 1) {
            problem("week " + std::to_string(week) + " (receiver week " +
                    std::to_string(receiverWeek) + ")");
        }
    }
    const int expectedLines = ExpectedAssistLines(network, header);
    int present = 0;
    for (const std::string& line : lines) {
        present += line.empty() ? 0 : 1;
    }
    if (expectedLines < 0) {
        problem("no satellite count");
    } else if (present != expectedLines) {
        problem("lines " + std::to_string(present) + " of " + std::to_string(expectedLines));
    }
    AssistVerdict verdict;
    verdict.ok = problems.empty();
    verdict.text = std::string("[") + NameOf(network) + "] " +
                   (verdict.ok ? "OK " + std::to_string(present) + " lines, week " +
                                     std::to_string(ReadAssistStamp(network, header).week)
                               : "Err " + problems);
    return verdict;
}

}  // namespace orbex::sim
