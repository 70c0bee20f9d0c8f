// The thread's last system error code: what a failing call leaves behind for its caller,
// and what "Error Code:%d" and the tools' result codes report.
#pragma once

namespace orbex {

// Error codes the system reports by number (the receiver tools' result codes use them too).
inline constexpr int kErrorSuccess = 0;
inline constexpr int kErrorPathNotFound = 3;
inline constexpr int kErrorNotEnoughMemory = 8;
inline constexpr int kErrorInvalidBlock = 9;  // DecodeLine: the line has no known shape
inline constexpr int kErrorHandleEof = 38;
inline constexpr int kErrorCancelled = 1223;
inline constexpr int kErrorTimeout = 1450;

// Sets and reads the calling thread's last error code.
void SetSystemError(int code);
int SystemError();

// Sets the thread's last error code from errno (for failing POSIX calls).
void SetSystemErrorFromErrno();

}  // namespace orbex
