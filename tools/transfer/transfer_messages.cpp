#include "tools/transfer/transfer_messages.h"

#include "platform/message_box.h"
#include "tools/transfer/transfer_session.h"

namespace orbex {

namespace {

constexpr const char* kNotEnoughMemory = "Not enough memory";
// The resource-error message: the system ran out of a resource the transfer needed.
constexpr const char* kResourceFailure =
    "The transfer stopped: the system could not provide a resource it needed.\nError Code : %u";
constexpr const char* kNoReply = "The receiver did not answer.";

}  // namespace

std::string AcquisitionFailureText(int code, int error) {
    const unsigned number = static_cast<unsigned>(error);
    switch (code) {
        case kTransferFileNotOpened:
            // Almanac data is named in ephemeris mode too.
            return FormatText("ALMANAC data ファイルが開けません\nエラーコード:%u", number);
        case kTransferFileFailed:
            return FormatText("ファイルの書き込みに失敗しました\nエラーコード:%u", number);
        case kTransferOutOfMemory:
            return kNotEnoughMemory;
        case kTransferResourceFailed:
            return FormatText(kResourceFailure, number);
        case kTransferNoReply:
            return kNoReply;
        default:
            return {};
    }
}

std::string TransmissionFailureText(int code, int error) {
    const unsigned number = static_cast<unsigned>(error);
    switch (code) {
        case kTransferFileNotOpened:
            // Also for the ephemeris file.
            return FormatText("Unable to Open Almanac Data\nError Code : %u", number);
        case kTransferFileFailed:
            return FormatText("ファイルの読み込みに失敗しました\nエラーコード:%u", number);
        case kTransferOutOfMemory:
            return kNotEnoughMemory;
        case kTransferResourceFailed:
            return FormatText(kResourceFailure, number);
        case kTransferNoReply:
            return kNoReply;
        default:
            return {};
    }
}

}  // namespace orbex
