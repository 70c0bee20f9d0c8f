// The string resources of the desktop program: the main window's title, the application key,
// the monitor windows' titles (the string with the number of the command that opens them) and
// the texts of the log messages.
#pragma once

#include <QString>

namespace orbex {

inline constexpr int kIdsMainTitle = 101;         // "Orbex 2003"
inline constexpr int kIdsApplicationKey = 40008;  // "Software\VELMAR\ORBEX"
inline constexpr int kIdsNoDataLogChosen = 40017;
inline constexpr int kIdsLogOpenFailed = 40018;   // "%1": the path
inline constexpr int kIdsLogWriteFailed = 40019;  // followed by "%u": the system error
inline constexpr int kIdsDataLogAlreadyFull = 40020;
inline constexpr int kIdsDataLogLimitReached = 40021;
inline constexpr int kIdsReplayIsDataLog = 40066;      // "%1": the path
inline constexpr int kIdsDataLogIsReplayed = 40067;    // "%1": the path
inline constexpr int kIdsDataLogLinesDropped = 40068;  // "%1" lines, "%2" bytes

// The text of a string resource; empty for a number without a string (40024).
QString LoadStringResource(int id);

// A string resource with "%1" replaced by the argument.
QString FormatStringResource(int id, const QString& argument);

}  // namespace orbex
