#include <cstdint>

#include "platform/settings_store.h"
#include "windows/console/console_window.h"

namespace orbex {

int ReadConsoleMaxLines() {
    std::int32_t lines = kDefaultConsoleLines;
    if (!ReadNumber("CONFIG", "TERMLINES", lines)) {
        return kDefaultConsoleLines;
    }
    return lines;
}

}  // namespace orbex
