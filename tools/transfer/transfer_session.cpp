#include "tools/transfer/transfer_session.h"

namespace orbex {

namespace {

using Clock = std::chrono::steady_clock;

// One line, or the cancel, or the deadline. Without a deadline the wait is made in steps of a
// second (the pacing form's waits) and only a line or the cancel ends it.
std::string TakeLineBefore(TransferSession& session, const std::string& waitingFor,
                           const std::optional<Clock::time_point>& deadline) {
    constexpr std::chrono::milliseconds kStep(1000);
    std::string line;
    for (;;) {
        std::chrono::milliseconds wait = kStep;
        if (deadline) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0) {
                throw TransferEnded{kTransferNoReply, 0, waitingFor};
            }
            wait = std::min(wait, left);
        }
        switch (session.queue.WaitForLine(line, wait)) {
            case TransferLineQueue::WaitResult::Line:
                return line;
            case TransferLineQueue::WaitResult::Cancelled:
                throw TransferEnded{kTransferCancelled, 0, waitingFor};
            case TransferLineQueue::WaitResult::TimedOut:
                break;
        }
    }
}

}  // namespace

TransferDeadline DeadlineFromNow(const TransferSession& session) {
    if (!session.waitLimit) {
        return std::nullopt;
    }
    return Clock::now() + *session.waitLimit;
}

std::string TakeLine(TransferSession& session, const std::string& waitingFor) {
    return TakeLineBefore(session, waitingFor, DeadlineFromNow(session));
}

std::string TakeLine(TransferSession& session, const std::string& waitingFor,
                     const TransferDeadline& deadline) {
    return TakeLineBefore(session, waitingFor, deadline);
}

std::string TakeLineStartingWith(TransferSession& session, std::string_view prefix,
                                 const std::string& waitingFor) {
    const auto deadline = DeadlineFromNow(session);
    for (;;) {
        std::string line = TakeLineBefore(session, waitingFor, deadline);
        if (StartsWith(line, prefix)) {
            return line;
        }
    }
}

TransferResult RunTransferSteps(TransferSession& session, const std::function<void()>& steps) {
    try {
        steps();
    } catch (const TransferEnded& ended) {
        return {ended.code, ended.systemError, ended.waitingFor};
    } catch (const std::bad_alloc&) {
        return {kTransferOutOfMemory, 0, {}};
    }
    session.progress(100);
    session.queue.SleepUnlessCancelled(std::chrono::milliseconds(500));
    return {kTransferOk, 0, {}};
}

}  // namespace orbex
