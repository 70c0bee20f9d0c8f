// The code tables that turn record codes into numbers and display texts. Pure functions;
// texts are exact, trailing blanks included, so that columns line up in a fixed-pitch font.
#pragma once

#include <cstddef>
#include <string>

#include "decode/receiver_state.h"

namespace orbex {

// A display text and the code character that selects it.
struct CodeText {
    char code;
    const char* text;
};

// The text of the first row whose code is `code`; `otherwise` when no row has it.
template <std::size_t N>
const char* TextOfCode(const CodeText (&rows)[N], char code, const char* otherwise) {
    for (const CodeText& row : rows) {
        if (row.code == code) {
            return row.text;
        }
    }
    return otherwise;
}

std::string VersionText(const ReceiverState& record);
const char* TimeBaseLabel(char dayCode);
const char* WeekdayLabel(char dayCode);
const char* PositioningModeText(char fixMode);
const char* DatumName(char datumCode);
std::string DopText(const ReceiverState& record);
int SatelliteNumber(char prnCode);
std::string AngleText(char angleCode);
const char* ChannelStatusName(char statusCode);
std::string LevelText(char levelCode);
// The month of a record's date: "Jan".."Dec" (July is "Jly") for 1..12, "___" for any other.
const char* MonthText(int month);
// The four-digit year of a record's two-digit year: 2000 + yy below 80, else 1900 + yy; 0 while
// the month is not set (the receiver has no date yet).
int FullYear(int twoDigitYear, int month);

}  // namespace orbex
