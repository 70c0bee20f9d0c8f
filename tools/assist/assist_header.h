// The assistance block's header line: its satellite count, its time stamp and its check code
// (CRC-16/XMODEM over the bytes its hexadecimal characters encode).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/hex_digit.h"
#include "tools/assist/assist_network.h"
#include "tools/assist/gps_time.h"

namespace orbex {

// CRC-16/XMODEM (polynomial 0x1021, initial value 0, no reflection, no final exclusive-or) over
// the bytes that pairs of characters encode, high nibble first; a character that is not a
// hexadecimal digit counts as 0 ("abc" gives the bytes AB C0).
std::uint16_t AssistCheckCode(std::string_view hexText);
// A byte string's CRC-16/XMODEM ("abc" as three bytes gives 9dd6).
std::uint16_t Crc16Xmodem(std::string_view bytes);

// The number of data lines after the header (GSM 2 per satellite, W-CDMA 1): the count
// character holds satellites - 1. -1 when the header has no count character; a character that
// is not a hexadecimal digit counts as 0.
int AssistDataLineCount(AssistNetwork network, std::string_view header);

// The header longer than this can be stamped and sent.
std::size_t MinimumHeaderLength(AssistNetwork network);

// The time stamp for the GPS time: GSM 9 hex digits (1 bit 0, 10-bit week, 23 bits of time of
// week in 80 ms units, 2 bits 0), W-CDMA 10 (10-bit week, 30 bits of time of week in ms).
std::string AssistTimeStamp(AssistNetwork network, const GpsTime& time);

// The header as it is transmitted: the stored header (without its line end) with the new time
// stamp, cut after the covered characters, the new check code appended, upper-cased, with
// CR LF. The header must be longer than MinimumHeaderLength.
std::string StampAssistHeader(AssistNetwork network, std::string_view header, const GpsTime& time);

}  // namespace orbex
