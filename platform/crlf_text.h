// The text-mode translation of the files kept with CR LF line ends: every line feed is stored
// as carriage return and line feed, whatever stands before it (a carriage return already there
// stays, so a line received with CR LF is stored with CR CR LF).
#pragma once

#include <string>
#include <string_view>

namespace orbex {

inline std::string WithCrLf(std::string_view text) {
    std::string stored;
    stored.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\n') {
            stored += '\r';
        }
        stored += c;
    }
    return stored;
}

}  // namespace orbex
