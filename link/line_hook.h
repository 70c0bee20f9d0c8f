// A place where the reader thread hands each line to an optional recorder: the console log
// (every framed serial line, printable or not) and the data-stream recorder (every replayed
// line). The user-interface thread installs and removes the recorder while the reader runs.
#pragma once

#include <cstddef>
#include <functional>
#include <mutex>

namespace orbex {

class LineHook {
  public:
    using Function = std::function<void(const char* bytes, std::size_t count)>;

    // Replaces the recorder. Remove waits until a call in progress has returned, so after it
    // returns the recorder is never called again and its file may be closed.
    void Install(Function function);
    void Remove();
    bool Active() const;

    // Hands the line to the recorder, if one is installed. The recorder must not install or
    // remove a recorder on this hook itself.
    void Call(const char* bytes, std::size_t count);

  private:
    mutable std::mutex mutex_;
    Function function_;
};

// The console log: every framed serial line, before the printable test.
LineHook& ConsoleLogHook();
// The data-stream recording during replay: every replayed line.
LineHook& ReplayRecordHook();

}  // namespace orbex
