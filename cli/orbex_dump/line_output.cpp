#include "cli/orbex_dump/line_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/orbex_dump/decoded_json.h"

namespace orbex {

namespace {
constexpr std::size_t kBlockSize = 1 << 20;
}  // namespace

LineOutput::LineOutput(bool decode) : decode_(decode) {
    pending_.reserve(kBlockSize + 4096);
}

void LineOutput::Print(std::string_view line) {
    if (failed_) {
        return;
    }
    if (decode_) {
        AppendDecodedLineJson(pending_, decoder_, line);
    } else {
        pending_.append(line);
    }
    if (pending_.size() >= kBlockSize) {
        Flush();
    }
}

bool LineOutput::Flush() {
    std::size_t done = 0;
    while (!failed_ && done < pending_.size()) {
        const ssize_t written =
            ::write(STDOUT_FILENO, pending_.data() + done, pending_.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else {
            failed_ = true;
            readerGone_ = written < 0 && errno == EPIPE;
            if (!readerGone_) {
                std::fprintf(stderr, "orbex-dump: cannot write the output: %s\n",
                             written < 0 ? std::strerror(errno) : "nothing written");
            }
        }
    }
    pending_.clear();
    return !failed_;
}

}  // namespace orbex
