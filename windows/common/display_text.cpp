#include "windows/common/display_text.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>

namespace orbex {

QString DisplayText(const char* format, ...) {
    std::array<char, 256> buffer{};
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    const int used = length < 0 ? 0 : std::min<int>(length, buffer.size() - 1);
    QString text;
    text.reserve(used);
    for (int i = 0; i < used; ++i) {
        const auto c = static_cast<unsigned char>(buffer[i]);
        text += c < 0x20 ? QChar(' ') : QChar(c);
    }
    return text;
}

}  // namespace orbex
