#include "cli/orbex_ttff/shared_output.h"

#include <unistd.h>

#include <cstdio>

namespace orbex {

SharedOutput::SharedOutput(std::size_t receivers)
    : progressInPlace_(::isatty(STDERR_FILENO) == 1), progress_(receivers) {}

void SharedOutput::Line(const std::string& text) {
    std::lock_guard lock(mutex_);
    ClearProgressLocked();
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    DrawProgressLocked();
}

void SharedOutput::Message(const std::string& text) {
    std::lock_guard lock(mutex_);
    ClearProgressLocked();
    std::fprintf(stderr, "orbex-ttff: %s\n", text.c_str());
    std::fflush(stderr);
    DrawProgressLocked();
}

void SharedOutput::Progress(std::size_t index, const std::string& text, bool changed) {
    std::lock_guard lock(mutex_);
    if (index >= progress_.size() || progressEnded_) {
        return;
    }
    progress_[index] = text;
    if (progressInPlace_) {
        DrawProgressLocked();
    } else if (changed) {
        std::fprintf(stderr, "orbex-ttff: %s\n", text.c_str());
        std::fflush(stderr);
    }
}

void SharedOutput::EndProgress() {
    std::lock_guard lock(mutex_);
    ClearProgressLocked();
    progressEnded_ = true;
}

void SharedOutput::ClearProgressLocked() {
    if (progressShown_) {
        std::fputs("\r\x1b[K", stderr);
        std::fflush(stderr);
        progressShown_ = false;
    }
}

void SharedOutput::DrawProgressLocked() {
    if (!progressInPlace_ || progressEnded_) {
        return;
    }
    std::string line;
    for (const std::string& part : progress_) {
        if (!part.empty()) {
            line += (line.empty() ? "" : " | ") + part;
        }
    }
    if (line.empty()) {
        return;
    }
    std::fputs(("\r\x1b[K" + line).c_str(), stderr);
    std::fflush(stderr);
    progressShown_ = true;
}

}  // namespace orbex
