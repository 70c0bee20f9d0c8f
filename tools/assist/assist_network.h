// The two kinds of assistance data, GSM and W-CDMA: their commands, replies and the layout of
// their header line.
#pragma once

#include <cstddef>
#include <string>

namespace orbex {

enum class AssistNetwork { Gsm, Wcdma };

struct AssistNetworkLayout {
    const char* acquireCommand;   // "@ASO\r\n"
    const char* errorReply;       // "[ASO] Err": the receiver has no block to give
    const char* transmitCommand;  // "@ASI\r\n"
    const char* readyReply;       // "[ASI] Ready"
    const char* replyTag;         // "[ASI]": the receiver's verdict on a transmitted block
    const char* sendText;         // "Send ASO..."
    std::size_t countColumn;      // satellite-count character: satellites - 1, one hex digit
    int linesPerSatellite;        // data lines after the header per satellite
    std::size_t coveredChars;     // hexadecimal characters the check code covers
    std::size_t stampColumn;      // first character of the time stamp
    std::size_t stampChars;       // its length
};

const AssistNetworkLayout& LayoutOf(AssistNetwork network);
const char* NetworkName(AssistNetwork network);  // "GSM" / "W-CDMA"

}  // namespace orbex
