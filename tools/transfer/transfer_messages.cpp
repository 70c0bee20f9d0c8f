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

// The two texts in which receiving and sending differ: the data file that cannot be opened
// and the file that fails part-way.
struct FileFailureTexts {
    const char* notOpened;
    const char* failed;
};

// Almanac data is named in ephemeris mode too, and the transmission's text stands for the
// ephemeris file as well.
constexpr FileFailureTexts kAcquisitionTexts{"ALMANAC data ファイルが開けません\nエラーコード:%u",
                                             "ファイルの書き込みに失敗しました\nエラーコード:%u"};
constexpr FileFailureTexts kTransmissionTexts{"Unable to Open Almanac Data\nError Code : %u",
                                              "ファイルの読み込みに失敗しました\nエラーコード:%u"};

std::string FailureText(const FileFailureTexts& texts, int code, int error) {
    const unsigned number = static_cast<unsigned>(error);
    switch (code) {
        case kTransferFileNotOpened:
            return FormatText(texts.notOpened, number);
        case kTransferFileFailed:
            return FormatText(texts.failed, number);
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

}  // namespace

std::string AcquisitionFailureText(int code, int error) {
    return FailureText(kAcquisitionTexts, code, error);
}

std::string TransmissionFailureText(int code, int error) {
    return FailureText(kTransmissionTexts, code, error);
}

}  // namespace orbex
