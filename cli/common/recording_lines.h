// Reads a recording file line by line as receivers and logging programs write them: lines
// ending in LF, CR LF, CR CR LF (a data file written as a text stream) or a bare CR, a UTF-8
// byte-order mark before the first line, and NUL bytes padding the file between lines or at its
// end. Used by the command-line programs' file reading; Orbex's replay link keeps its own
// framing.
//
// Each line is handed on with its terminator, as the receiver link hands lines on: as it is in
// the file, except that a line ending in a bare CR gets CR LF, the receiver's own terminator.
// A line without terminator is cut after 2048 bytes, as the replay framing does; the last line
// of a file may have none.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "link/file_block.h"

namespace orbex {

class RecordingLineReader {
  public:
    enum class Result { Line, EndOfFile, Failed, Stopped };

    // Reads from `fd` (not owned) in large blocks.
    explicit RecordingLineReader(int fd, std::size_t blockSize = 1 << 16);

    // Asked before every block read: when it says true, Next ends with Stopped. A file of
    // nothing but padding (/dev/zero) yields no line at all, so a program's Ctrl-C must be
    // seen here, not between lines.
    void StopWhen(std::function<bool()> stop) { stop_ = std::move(stop); }

    // The next line; `line` stays valid until the next call. After Failed the system error
    // code holds the reason. Bytes read before a failure are still handed out as a line.
    Result Next(std::string_view& line);

  private:
    // Leaves out a byte-order mark at the start of the file and NUL padding before a line;
    // false when more bytes are needed to know.
    bool SkipPadding();

    FileBlock block_;
    bool atStart_ = true;
    std::string crLine_;  // a line that ended in a bare CR, with CR LF
    std::function<bool()> stop_;
};

}  // namespace orbex
