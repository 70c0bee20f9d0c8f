// What a data-transfer worker works with: the tool's transfer line queue (the receiver's lines),
// the send to the receiver, and the bounded updates of whatever shows its progress. The window
// and the headless orbex-data fill in the same session, so both run the very same worker code.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "tools/common/transfer_line_queue.h"

namespace orbex {

// The result codes the workers end with (system error codes).
inline constexpr int kTransferOk = 0;
inline constexpr int kTransferFileNotFound = 2;   // a file to read is missing
inline constexpr int kTransferFileNotOpened = 3;  // a data file cannot be opened
inline constexpr int kTransferOutOfMemory = 8;
inline constexpr int kTransferBadFormat = 13;      // a stored file is not what it should be
inline constexpr int kTransferReceiverError = 31;  // the receiver answered with an error reply
inline constexpr int kTransferFileFailed = 38;     // writing or reading a data file failed
inline constexpr int kTransferCancelled = 1223;
inline constexpr int kTransferResourceFailed = 1450;
inline constexpr int kTransferNoReply = 1460;  // a wait outlasted the session's wait limit

struct TransferResult {
    int code = kTransferCancelled;
    int systemError = 0;     // errno of the failed file operation, 0 otherwise
    std::string waitingFor;  // what the worker waited for when it was cancelled or timed out
};

struct TransferSession {
    TransferSession(TransferLineQueue& lines, std::function<void(std::string_view)> sender)
        : queue(lines), send(std::move(sender)) {}

    TransferLineQueue& queue;
    // Writes bytes to the receiver (through the main window, or straight to a headless link).
    std::function<void(std::string_view bytes)> send;
    // Progress bar position and text line; must never block the worker.
    std::function<void(int percent)> progress = [](int) {};
    std::function<void(const std::string& text)> text = [](const std::string&) {};
    // A message for the user (the assistance dialog's message list).
    std::function<void(const std::string& message)> message = [](const std::string&) {};
    // None: a wait lasts until a line comes or the user cancels, as in the window. Set by
    // orbex-data's --timeout so that a silent receiver cannot keep a script waiting.
    std::optional<std::chrono::milliseconds> waitLimit;
};

// Ends a worker from inside a wait or a file step; the worker's top level turns it into its
// result.
struct TransferEnded {
    explicit TransferEnded(int result, int error = 0, std::string waited = {})
        : code(result), systemError(error), waitingFor(std::move(waited)) {}
    int code;
    int systemError;
    std::string waitingFor;
};

// When a wait that starts now must end: the session's wait limit from now, or never.
using TransferDeadline = std::optional<std::chrono::steady_clock::time_point>;
TransferDeadline DeadlineFromNow(const TransferSession& session);

// Waits for the next receiver line and takes it. Throws TransferEnded with kTransferCancelled
// when the cancel event is signalled, or kTransferNoReply when the session's wait limit passes.
std::string TakeLine(TransferSession& session, const std::string& waitingFor);
// The same within a deadline shared by several takes (a synchronisation that reads many lines
// of output it does not recognise is one wait, not one per line).
std::string TakeLine(TransferSession& session, const std::string& waitingFor,
                     const TransferDeadline& deadline);

// Takes and discards lines until one begins with `prefix` and returns it. The wait limit covers
// the whole search: regular output keeps coming while a receiver ignores a command.
std::string TakeLineStartingWith(TransferSession& session, std::string_view prefix,
                                 const std::string& waitingFor);

// Runs an almanac or ephemeris transfer to its end: its TransferEnded or a memory shortage
// becomes the result; on success the full bar stays in view for half a second (the data is
// complete, so a cancel meanwhile only cuts the pause short).
TransferResult RunTransferSteps(TransferSession& session, const std::function<void()>& steps);

// Forgets the lines queued so far (each operation starts on fresh output).
inline void DiscardQueuedLines(TransferSession& session) {
    session.queue.Clear();
}

inline bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

}  // namespace orbex
