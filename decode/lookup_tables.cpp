#include "decode/lookup_tables.h"
#include "decode/record_code.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace orbex {

namespace {

bool IsFourChannelRecord(const ReceiverState& record) {
    return (record.kind[0] == 'N' || record.kind[0] == 'O') && record.kind[1] == '\0';
}

// A NUL-terminated text field, never read past its array.
template <std::size_t N>
std::string TextOf(const char (&text)[N]) {
    return std::string(text, strnlen(text, N));
}

struct WeekdayLabels {
    char first;  // the code for Sunday; the next six codes are Monday to Saturday
    const char* labels[7];
};

constexpr WeekdayLabels kTimeBaseLabels[] = {
    {'0',
     {"**UTC Time**  Sun", "**UTC Time**  Mon", "**UTC Time**  Tue", "**UTC Time**  Wed",
      "**UTC Time**  Thu", "**UTC Time**  Fri", "**UTC Time**  Sat"}},
    {'A',
     {"**GPS Time**  Sun", "**GPS Time**  Mon", "**GPS Time**  Tue", "**GPS Time**  Wed",
      "**GPS Time**  Thu", "**GPS Time**  Fri", "**GPS Time**  Sat"}},
    {'a',
     {"**MANUAL**  Sun", "**MANUAL**  Mon", "**MANUAL**  Tue", "**MANUAL**  Wed", "**MANUAL**  Thu",
      "**MANUAL**  Fri", "**MANUAL**  Sat"}},
};

constexpr const char* kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr CodeText kDatums[] = {
    {'A', "WGS-84         "},
    {'B', "JAPAN(Tokyo)   "},
    {'C', "AFRI1(Adindan) "},
    {'D', "AFRI2(ARC 1950)"},
    {'E', "AFRI3(MERCHICH)"},
    {'F', "ASIA1(Hong Kong 1963)          "},
    {'G', "ASIA2(South Asia)              "},
    {'H', "ASIA3(LUZON)   "},
    {'I', "ASIA4(Indian)  "},
    {'J', "ASIA5(Indian)  "},
    {'K', "ASIA6(KERTAU 1948)             "},
    {'L', "CEAM1(North American 1927)     "},
    {'M', "EURO1(European 1950)           "},
    {'N', "EURO2(Ireland 1965)            "},
    {'O', "EURO3(OSGB 1936)               "},
    {'P', "MDEA1(Nahrwan) "},
    {'Q', "MDEA2(Nahrwan) "},
    {'R', "MDEA3(Old Egyptian)            "},
    {'S', "NOAM1(North American 1927)     "},
    {'T', "NOAM2(North American 1983)     "},
    {'U', "OCEA1(Australian Geodetic 1984)"},
    {'V', "OCEA2(Geodetic Datum 1949)     "},
    {'W', "SOAM1(PSA 1956)"},
    {'X', "SOAM2(South American 1969)     "},
    {'Y', "SOAM3(Campo Inchauspe)         "},
    {'Z', "SOAM4(Corrego Alegre)          "},
    {'_', "WGS-84         "},
};

// DOP classes "A".."Q", in code order.
constexpr const char* kDopClasses[] = {
    " 0< PDOP< 1 ", " 1< PDOP< 2 ", " 2< PDOP< 3 ", " 3< PDOP< 4 ", " 4< PDOP< 5 ", " 5< PDOP< 6 ",
    " 6< PDOP< 7 ", " 7< PDOP< 8 ", " 8< PDOP< 9 ", " 9< PDOP<10 ", "10< PDOP<12 ", "12< PDOP<15 ",
    "15< PDOP<20 ", "20< PDOP<30 ", "30< PDOP<50 ", "50< PDOP<100", "100< PDOP   ",
};

std::string Formatted(const char* format, int value) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, format, value);
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace

std::string VersionText(const ReceiverState& record) {
    return IsFourChannelRecord(record) ? std::string("4ch") : TextOf(record.kind);
}

const char* TimeBaseLabel(char dayCode) {
    for (const WeekdayLabels& base : kTimeBaseLabels) {
        if (dayCode >= base.first && dayCode < base.first + 7) {
            return base.labels[dayCode - base.first];
        }
    }
    return "------------------";
}

const char* WeekdayLabel(char dayCode) {
    return dayCode >= '0' && dayCode <= '6' ? kWeekdays[dayCode - '0'] : "___";
}

const char* PositioningModeText(char fixMode) {
    static constexpr CodeText kModes[] = {{'3', "2D"}, {'4', "3D"}};
    return TextOfCode(kModes, fixMode, "Invalid");
}

const char* DatumName(char datumCode) {
    return TextOfCode(kDatums, datumCode, "un-known       ");
}

std::string DopText(const ReceiverState& record) {
    if (IsFourChannelRecord(record)) {
        return TextOf(record.dopCode);
    }
    const int index = CodeValue(record.dopCode[0]) - 'A';
    constexpr int kClasses = sizeof kDopClasses / sizeof kDopClasses[0];
    return index >= 0 && index < kClasses ? kDopClasses[index] : "Un-Known    ";
}

int SatelliteNumber(char prnCode) {
    const int code = CodeValue(prnCode);
    int number = code;
    if (code <= 'X') {
        number = code - 64;
    } else if (code <= 'h') {
        number = code - 72;
    }
    return number < 0 ? 0 : number > 99 ? 99 : number;
}

std::string AngleText(char angleCode) {
    const int code = CodeValue(angleCode);
    if (code == '_') {
        return " ___  ";
    }
    if (code < 'T') {
        return Formatted("%4d  ", code * 10 - 650);
    }
    if (code > 0x60) {
        return Formatted("%4d  ", 970 - code * 10);
    }
    return std::string();
}

const char* ChannelStatusName(char statusCode) {
    switch (const int code = CodeValue(statusCode); code) {
        case 'A':
        case 'D':
        case 'E':
            return "UNLOCK";
        case 'B':
            return "STBY  ";
        case 'C':
        case 'F':
            return "DECODE  ";
        default:
            return code < 'A' ? "Un-Known" : "Reserve";
    }
}

std::string LevelText(char levelCode) {
    const int code = CodeValue(levelCode);
    return Formatted("%2u", code < 'B' ? 0 : code - 'A');
}

const char* MonthText(int month) {
    static constexpr const char* kMonths[] = {"___", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jly", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? kMonths[month] : kMonths[0];
}

int FullYear(int twoDigitYear, int month) {
    if (month < 1) {
        return 0;
    }
    return twoDigitYear < 80 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

}  // namespace orbex
