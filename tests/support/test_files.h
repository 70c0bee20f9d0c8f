// Small helpers the tests share: a whole file as bytes, and an NMEA sentence with its checksum.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace orbex::test {

// Every byte of the file; empty when it cannot be read.
inline std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "$...*XX\r\n" with the checksum of `body` (which begins with "$").
inline std::string Sentence(std::string_view body) {
    unsigned sum = 0;
    for (std::size_t i = 1; i < body.size(); ++i) {
        sum ^= static_cast<unsigned char>(body[i]);
    }
    char star[8];
    std::snprintf(star, sizeof star, "*%02X", sum);
    return std::string(body) + star + "\r\n";
}

}  // namespace orbex::test
