// The windows' texts, the log files and the result and data files are in the system's fixed
// formats whatever the desktop's language: numbers with ".", English month and weekday names.
// Qt takes the user's locale from the environment when the application object is built, and
// with it the C library's number and time formatting (printf's "%5.2f" would print "52,33"
// under a German desktop).
#pragma once

namespace orbex {

// Puts number and time formatting back to the "C" locale, for the C library (printf, strftime)
// and for Qt's default QLocale. The character set stays the user's, so file names and keyboard
// input are read as before. Called once, right after the application object is built and
// before any other thread starts.
void KeepFixedFormats();

}  // namespace orbex
