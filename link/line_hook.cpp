#include "link/line_hook.h"

#include <utility>

namespace orbex {

void LineHook::Install(Function function) {
    {
        // Waits for a running append to finish before the recorder changes under it.
        std::lock_guard<std::mutex> lock(mutex_);
        std::swap(function_, function);
    }
    // `function` now holds the previous recorder, released outside the lock.
}

void LineHook::Remove() {
    // Waits for a running append: once this returns, the log file may be closed safely.
    Function removed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        removed = std::exchange(function_, nullptr);
    }
    // `removed` (and what it holds, such as an open file) is released outside the lock.
}

bool LineHook::Active() const {
    // Guards the read against a concurrent Install or Remove.
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<bool>(function_);
}

void LineHook::Call(const char* bytes, std::size_t count) {
    // Held during the append itself, so Remove cannot close the file in the middle of it;
    // the reader thread is the only caller, so this lock is contended only by Install/Remove.
    std::lock_guard<std::mutex> lock(mutex_);
    if (function_) {
        function_(bytes, count);
    }
}

LineHook& ConsoleLogHook() {
    static LineHook hook;
    return hook;
}

LineHook& ReplayRecordHook() {
    static LineHook hook;
    return hook;
}

}  // namespace orbex
