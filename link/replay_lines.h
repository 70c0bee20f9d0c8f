// How a recording is cut into lines on replay: each line runs up to and including a LF, or
// is 2048 bytes long, or is what is left before the end of the file. Nothing is tested or
// changed, so a CR LF line keeps both bytes.
#pragma once

#include <cstddef>
#include <string_view>

#include "link/file_block.h"

namespace orbex {

class ReplayLineReader {
  public:
    enum class Result { Line, EndOfFile, Failed };

    // Reads from `fd` (not owned) in large blocks.
    explicit ReplayLineReader(int fd, std::size_t blockSize = 1 << 16);

    // The next line; `line` stays valid until the next call. After Failed the system error
    // code holds the reason. Bytes read before a failure are still handed out as a line.
    Result Next(std::string_view& line);

  private:
    FileBlock block_;
};

}  // namespace orbex
