#include "cli/common/text_output.h"

#include <charconv>
#include <cmath>

namespace orbex {

void AppendFixed(std::string& out, double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    out.append(buffer, result.ptr);
}

std::string FixedText(double value, int decimals, const char* missing) {
    if (!std::isfinite(value)) {
        return missing;
    }
    std::string out;
    AppendFixed(out, value, decimals);
    return out;
}

std::string MarkupEscaped(std::string_view text, const char* apostrophe) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += apostrophe;
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace orbex
