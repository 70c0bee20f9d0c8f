#include "sim/native_records.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "sim/coordinate_text.h"

namespace orbex::sim {
namespace {

void Put(std::string& line, std::size_t column, const char* text) {
    for (std::size_t i = 0; text[i] != '\0' && column + i < line.size(); ++i) {
        line[column + i] = text[i];
    }
}

void PutNumber(std::string& line, std::size_t column, int width, long value) {
    char text[24];
    if (value < 0) {
        std::snprintf(text, sizeof text, "-%0*ld", width - 1, -value);
    } else {
        std::snprintf(text, sizeof text, "%0*ld", width, value);
    }
    Put(line, column, text);
}

// yymmdd, the day code (UTC weekday "0".."6") and hhmmss.
void PutDateTime(std::string& line, std::size_t column, SimMillis t) {
    const CivilTime c = BreakDown(t);
    PutNumber(line, column, 2, c.year % 100);
    PutNumber(line, column + 2, 2, c.month);
    PutNumber(line, column + 4, 2, c.day);
    line[column + 6] = static_cast<char>('0' + c.weekday);
    PutNumber(line, column + 7, 2, c.hour);
    PutNumber(line, column + 9, 2, c.minute);
    PutNumber(line, column + 11, 2, c.second);
}

long Altitude5(double metres) {
    return std::clamp(std::lround(metres), -9999L, 99999L);
}
long Speed3(double kmh) {
    return std::clamp(std::lround(kmh), 0L, 999L);
}
long Course(double degrees) {
    return std::lround(degrees) % 360;
}

// The columns both records share, from `column` on: N/S, latitude degrees (2), minutes (2),
// tenths of seconds (3), E/W, longitude degrees (3), minutes (2), tenths of seconds (3),
// altitude in metres (5) and speed in km/h (3). The last digit of the hundredths is not
// written here (the native record keeps it in a code column of its own).
void PutPositionColumns(std::string& line, std::size_t column, const SecondParts& lat,
                        const SecondParts& lon, const EpochSnapshot& e) {
    line[column] = lat.hemisphere;
    PutNumber(line, column + 1, 2, lat.degrees);
    PutNumber(line, column + 3, 2, lat.minutes);
    PutNumber(line, column + 5, 3, lat.hundredths / 10);
    line[column + 8] = lon.hemisphere;
    PutNumber(line, column + 9, 3, lon.degrees);
    PutNumber(line, column + 12, 2, lon.minutes);
    PutNumber(line, column + 14, 3, lon.hundredths / 10);
    PutNumber(line, column + 17, 5, Altitude5(e.altMetres));
    PutNumber(line, column + 22, 3, Speed3(e.speedKmh));
}

// The strongest four channels, in channel order, for the 4-channel record.
std::vector<const SatelliteView*> StrongestFour(const EpochSnapshot& e) {
    std::vector<const SatelliteView*> all;
    for (const SatelliteView& s : e.satellites) {
        all.push_back(&s);
    }
    std::stable_sort(all.begin(), all.end(), [](const SatelliteView* a, const SatelliteView* b) {
        return a->snr > b->snr;
    });
    all.resize(std::min<std::size_t>(4, all.size()));
    std::stable_sort(all.begin(), all.end(), [&](const SatelliteView* a, const SatelliteView* b) {
        return a - e.satellites.data() < b - e.satellites.data();
    });
    return all;
}

}  // namespace

char PrnCode(int prn) {
    if (prn >= 1 && prn <= 24) {
        return static_cast<char>('A' + prn - 1);
    }
    if (prn >= 25 && prn <= 32) {
        return static_cast<char>('a' + prn - 25);
    }
    return '@';
}

char ElevationCode(int degrees) {
    return static_cast<char>('A' + std::clamp(static_cast<int>(std::lround(degrees / 10.0)), 0, 9));
}

char AzimuthCode(int degrees) {
    const int signedDegrees = degrees > 180 ? degrees - 360 : degrees;
    const int tens = static_cast<int>(std::lround(signedDegrees / 10.0));
    return tens >= 0 ? static_cast<char>('A' + std::min(tens, 18))
                     : static_cast<char>('a' + std::min(-tens, 18));
}

char ChannelStatusCode(const SatelliteView& s) {
    if (s.used) {
        return 'F';
    }
    return s.snr > 0 ? 'C' : 'B';
}

int LevelOfSnr(int snr) {
    return std::max(0, snr) * 25 / 99;
}

char DopCode(double pdop) {
    static constexpr double kUpper[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 15, 20, 30, 50, 100};
    int code = 0;
    while (code < 16 && pdop >= kUpper[code]) {
        ++code;
    }
    return static_cast<char>('A' + code);
}

// Native record, columns 0-based (CR LF at 148-149 is added by the caller):
//  0-5 "SM1.04" | 6-11 yymmdd | 12 day code | 13-18 hhmmss | 19 N/S | 20-21 lat degrees |
//  22-23 minutes | 24-26 tenths of seconds | 27 E/W | 28-30 lon degrees | 31-32 minutes |
//  33-35 tenths of seconds | 36-40 altitude m | 41-43 km/h | 44-46 course | 47-59 time of the
//  latest fix (as 6-18) | 60 DOP code | 61 fix mode ("4" 3D, "3" 2D, "0" none) | 62 datum "A" |
//  63-142 sixteen channels of 5 codes (satellite, elevation, azimuth, status, level) |
//  143 flag | 144 "A" + satellites used | 145-146 hundredths of the lat/lon seconds as
//  "A" + digit | 147 "_".
std::string NativeRecord(const EpochSnapshot& e) {
    std::string line(kNativeTextLength, '_');
    Put(line, 0, kNativeVersion);
    PutDateTime(line, 6, e.time);
    const SecondParts lat = ToSecondParts(e.latDeg, true);
    const SecondParts lon = ToSecondParts(e.lonDeg, false);
    PutPositionColumns(line, 19, lat, lon, e);
    PutNumber(line, 44, 3, Course(e.courseDeg));
    PutDateTime(line, 47, e.lastFixTime);
    line[60] = DopCode(e.pdop);
    const int used = e.SatellitesUsed();
    line[61] = !e.fix ? '0' : used >= 4 ? '4' : '3';
    line[62] = 'A';
    for (int k = 0; k < 16; ++k) {
        const std::size_t column = 63 + 5 * static_cast<std::size_t>(k);
        if (k >= static_cast<int>(e.satellites.size())) {
            Put(line, column, "@__AA");
            continue;
        }
        const SatelliteView& s = e.satellites[static_cast<std::size_t>(k)];
        line[column] = PrnCode(s.prn);
        line[column + 1] = ElevationCode(s.elevation);
        line[column + 2] = AzimuthCode(s.azimuth);
        line[column + 3] = ChannelStatusCode(s);
        line[column + 4] = static_cast<char>('A' + LevelOfSnr(s.snr));
    }
    line[143] = e.fix ? '1' : '0';
    line[144] = static_cast<char>('A' + std::min(used, 25));
    line[145] = static_cast<char>('A' + lat.hundredths % 10);
    line[146] = static_cast<char>('A' + lon.hundredths % 10);
    line[147] = '_';
    return line;
}

const char* FourChannelStatusText(const SatelliteView& s) {
    if (s.used) {
        return "LE";
    }
    return s.snr > 0 ? "L_" : "__";
}

int FourChannelSignal(const SatelliteView& s) {
    return LevelOfSnr(s.snr) * 100 + s.snr % 10 * 10;
}

// 4-channel record, columns 0-based (CR LF at 87-88 is added by the caller):
//  0 "N" | 1 "_" | 2-7 yymmdd | 8 day code | 9-14 hhmmss | 15 N/S | 16-17 lat degrees |
//  18-19 minutes | 20-22 tenths of seconds | 23 E/W | 24-26 lon degrees | 27-28 minutes |
//  29-31 tenths of seconds | 32-36 altitude m | 37-39 km/h | 40-43 course | 44-59 four
//  channels of satellite number (2) and status text (2) | 60 marker "_" | 61-63 "___" |
//  64-66 PDOP "d.d" | 67-86 four signal values of 5 digits.
std::string FourChannelRecord(const EpochSnapshot& e) {
    std::string line(kFourChannelTextLength, '_');
    line[0] = 'N';
    PutDateTime(line, 2, e.time);
    const SecondParts lat = ToSecondParts(e.latDeg, true, 10);
    const SecondParts lon = ToSecondParts(e.lonDeg, false, 10);
    PutPositionColumns(line, 15, lat, lon, e);
    PutNumber(line, 40, 4, Course(e.courseDeg));
    const std::vector<const SatelliteView*> four = StrongestFour(e);
    for (std::size_t k = 0; k < 4; ++k) {
        const std::size_t column = 44 + 4 * k;
        if (k >= four.size()) {
            Put(line, column, "00__");
            PutNumber(line, 67 + 5 * k, 5, 0);
            continue;
        }
        PutNumber(line, column, 2, four[k]->prn);
        Put(line, column + 2, FourChannelStatusText(*four[k]));
        PutNumber(line, 67 + 5 * k, 5, FourChannelSignal(*four[k]));
    }
    char dop[8];
    std::snprintf(dop, sizeof dop, "%3.1f", std::clamp(e.pdop, 0.0, 9.9));
    Put(line, 64, dop);
    return line;
}

}  // namespace orbex::sim
