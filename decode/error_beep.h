// The error beep that a native record with a latitude other than "N" sounds when the
// "LatSBeep" setting is on. The program installs the desktop's beep; until then (and in tests
// and command-line tools) a beep only counts.
#pragma once

#include <functional>

namespace orbex {

// Sounds the error beep through the installed function and counts it.
void SoundErrorBeep();

// Installs the function that sounds the beep; an empty function restores the silent default.
void SetErrorBeepFunction(std::function<void()> beep);

// How many beeps were sounded since the program started.
long ErrorBeepCount();

}  // namespace orbex
