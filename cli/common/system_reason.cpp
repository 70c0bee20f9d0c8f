#include "cli/common/system_reason.h"

#include <cctype>
#include <cstring>

namespace orbex {

std::string SystemReason(int code) {
    // strerror answers in the program's message locale, which stays "C" (English): the
    // command-line programs never call setlocale.
    return std::strerror(code);
}

std::string LinkFailureText(const std::string& text, const std::string& port) {
    std::string line = text;
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    std::size_t digits = line.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(line[digits - 1]))) {
        --digits;
    }
    std::string result = line + ": " + port;
    if (digits < line.size() && line.size() - digits <= 5) {
        const int code = std::stoi(line.substr(digits));
        const std::string reason = code > 0 ? SystemReason(code) : std::string();
        if (!reason.empty() && reason.rfind("Unknown error", 0) != 0) {
            result += ": " + reason;
        }
    }
    return result;
}

}  // namespace orbex
