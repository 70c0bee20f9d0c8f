// The private window messages of the system. The reader threads, the monitor windows and the
// tool workers all reach the main window through these numbers.
#pragma once

#include <cstdint>

namespace orbex {

inline constexpr unsigned UWM_LINE_QUEUED = 0x0502;        // reader -> main: queue went 0 -> 1
inline constexpr unsigned UWM_WINDOW_CLOSED = 0x0503;      // monitor window -> main: I am gone
inline constexpr unsigned UWM_REPLAY_END = 0x0505;         // replay reader -> owner: end of file
inline constexpr unsigned UWM_SEND_TO_RECEIVER = 0x0507;   // any -> main: bytes / count
inline constexpr unsigned UWM_QUERY_INPUT_COUNT = 0x0508;  // any -> main: bytes in the driver
inline constexpr unsigned UWM_KEY_COMMAND = 0x0509;        // monitor window -> main: key
inline constexpr unsigned UWM_LINK_LOST = 0x050A;          // serial reader -> owner: device gone
inline constexpr unsigned UWM_LINK_RESTORED = 0x050B;      // serial reader -> owner: device back
inline constexpr unsigned UWM_SENDS_QUEUED = 0x050C;       // worker -> session owner: serve sends
inline constexpr unsigned UWM_TRANSFER_DONE = 0x0901;      // tool worker -> its window

// Where a message goes: the owner of a link (the main window, or a command-line driver)
// supplies one of these. Posting never blocks.
using MessageParam = std::uintptr_t;

}  // namespace orbex
