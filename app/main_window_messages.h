// Posting and sending the private messages to the main window from any thread. A post returns
// at once; a send blocks until the main window has handled the message and returns its result.
// A send from a worker never deadlocks against a user-interface thread that waits for that
// worker: the waiting side keeps handling sends.
#pragma once

#include <cstdint>

namespace orbex {

void PostToMainWindow(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
std::intptr_t SendToMainWindow(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace orbex
