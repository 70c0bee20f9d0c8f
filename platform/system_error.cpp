#include "platform/system_error.h"

#include <cerrno>

namespace orbex {

namespace {
// Each thread keeps its own last error, as a failing call leaves it for its own caller.
thread_local int lastError = kErrorSuccess;
}  // namespace

void SetSystemError(int code) {
    lastError = code;
}

int SystemError() {
    return lastError;
}

void SetSystemErrorFromErrno() {
    lastError = errno;
}

}  // namespace orbex
