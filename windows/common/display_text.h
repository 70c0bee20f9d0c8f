// printf into a display text for the monitor windows' fixed-pitch pages.
#pragma once

#include <QString>

namespace orbex {

// Formats like printf (at most 255 characters). Control characters, such as the NUL an empty
// hemisphere field leaves, are shown as blanks so that the columns after them stay in place.
QString DisplayText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace orbex
