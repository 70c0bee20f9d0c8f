#include "handheld/nmea_fields.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/hex_digit.h"

namespace orbexce {
namespace {

// Skips the blanks and the plus sign the C library's conversions accept ahead of a number.
std::string_view NumberStart(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '+' && (text.size() < 2 || text[1] != '-')) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

bool ChecksumValid(std::string_view sentence) {
    const std::size_t star = sentence.find('*');
    if (star == std::string_view::npos || star == 0 || sentence.size() < star + 3) {
        return false;
    }
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i) {
        sum ^= static_cast<unsigned char>(sentence[i]);
    }
    const int high = orbex::HexDigit(sentence[star + 1]);
    const int low = orbex::HexDigit(sentence[star + 2]);
    return high >= 0 && low >= 0 && static_cast<unsigned>(high * 16 + low) == sum;
}

SentenceFields::SentenceFields(std::string_view sentence) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= sentence.size(); ++i) {
        if (i == sentence.size() || sentence[i] == ',' || sentence[i] == '*') {
            fields_.push_back(sentence.substr(start, i - start));
            start = i + 1;
        }
        if (i < sentence.size() && sentence[i] == '*') {
            break;
        }
    }
}

std::string_view SentenceFields::Text(std::size_t number) const {
    if (number == 0 || number > fields_.size()) {
        return {};
    }
    return fields_[number - 1];
}

double SentenceFields::Real(std::size_t number) const {
    return ReadReal(Text(number));
}

long SentenceFields::Integer(std::size_t number) const {
    return ReadInteger(Text(number));
}

char SentenceFields::Letter(std::size_t number) const {
    const std::string_view text = Text(number);
    return text.empty() ? '\0' : text.front();
}

double ReadReal(std::string_view text) {
    text = NumberStart(text);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return value;
}

long ReadInteger(std::string_view text) {
    text = NumberStart(text);
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

}  // namespace orbexce
