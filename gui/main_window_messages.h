// Posting and sending the private messages to the main window from any thread. A post returns
// at once; a send blocks until the main window has handled the message and returns its result.
// A send from a worker never deadlocks against a user-interface thread that waits for that
// worker: the waiting side keeps handling sends.
#pragma once

#include <cstdint>

class QWidget;

namespace orbex {

void PostToMainWindow(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
std::intptr_t SendToMainWindow(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

// Sends UWM_WINDOW_CLOSED for `window`: every monitor and tool window does so as it goes, so
// that the main window forgets it before it is gone.
void SendWindowClosed(QWidget* window);

}  // namespace orbex

#include <atomic>
#include <functional>
#include <thread>

namespace orbex {

// The main window's handler of the private messages; its return value is a send's result.
using PrivateMessageHandler =
    std::function<std::intptr_t(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

// Installs the handler (call on the user-interface thread). An empty function removes it: posts
// are then dropped and every waiting or later send returns 0.
void SetMainWindowHandler(PrivateMessageHandler handler);

// Runs the sends that wait for the main window. The user-interface thread calls this while it
// waits for a worker thread to end, so that the worker's sends still complete.
void HandlePendingSends();

// Waits for a worker that has been told to stop until it says it has finished, handling its
// sends meanwhile (it may be inside one), then joins it. Does nothing for a worker not started.
void JoinWhileHandlingSends(std::thread& worker, const std::atomic<bool>& finished);

}  // namespace orbex
