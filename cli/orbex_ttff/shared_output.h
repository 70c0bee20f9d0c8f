// What the receivers' series print, from the main thread and the cycle workers: whole lines on
// standard output, messages on standard error, and a progress line per receiver on standard
// error. On a terminal the progress is one line rewritten in place (cleared before any other
// line is written, drawn again after); elsewhere a receiver's line is written when its cycle or
// phase changes, so that a log file gets no flood.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace orbex {

class SharedOutput {
  public:
    explicit SharedOutput(std::size_t receivers);

    // One line on standard output.
    void Line(const std::string& text);
    // One line on standard error, "orbex-ttff: " first.
    void Message(const std::string& text);
    // The progress of receiver `index`; `changed` when its cycle or phase is new.
    void Progress(std::size_t index, const std::string& text, bool changed);
    // Clears the terminal's progress line for good (the end of the run).
    void EndProgress();

  private:
    void ClearProgressLocked();
    void DrawProgressLocked();

    std::mutex mutex_;  // keeps the lines of the workers and the main thread whole
    const bool progressInPlace_;
    bool progressShown_ = false;
    bool progressEnded_ = false;
    std::vector<std::string> progress_;
};

}  // namespace orbex
