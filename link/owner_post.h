// How a link reaches its owner: the owner (the main window, or a command-line driver) gives
// Open a function that posts (message, wParam, lParam) to it. Called from the reader thread;
// it must not block.
#pragma once

#include <cstdint>
#include <functional>

namespace orbex {

using OwnerPost = std::function<void(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

}  // namespace orbex
