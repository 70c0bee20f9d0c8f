#include "sim/nmea_sentences.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "sim/coordinate_text.h"

namespace orbex::sim {
namespace {

__attribute__((format(printf, 2, 3))) void Add(std::string& out, const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    out.append(buffer, static_cast<std::size_t>(std::clamp(n, 0, int{sizeof buffer} - 1)));
}

// A 4-character dilution "dd.d" (99.9 at most).
void AddDop(std::string& out, double dop) {
    Add(out, ",%04.1f", std::clamp(dop, 0.0, 99.9));
}

void AddTime(std::string& out, const CivilTime& c) {
    Add(out, ",%02d%02d%02d", c.hour, c.minute, c.second);
}

// ddmm.ffff / dddmm.ffff and the hemisphere letter.
void AddMinutes(std::string& out, double degrees, bool latitude, int decimals) {
    const MinuteParts p = ToMinuteParts(degrees, latitude, decimals);
    if (latitude) {
        Add(out, ",%02d%02d.%0*d,%c", p.degrees, p.minutes, decimals, p.fraction, p.hemisphere);
    } else {
        Add(out, ",%03d%02d.%0*d,%c", p.degrees, p.minutes, decimals, p.fraction, p.hemisphere);
    }
}

// Altitude: 7 characters "aaaaa.a", or 8 with a leading "-" ("-aaaaa.a").
void AddAltitude(std::string& out, double metres) {
    const double clamped = std::clamp(metres, -99999.9, 99999.9);
    const long tenths = std::lround(std::fabs(clamped) * 10.0);
    Add(out, clamped < 0 && tenths > 0 ? ",-%05ld.%01ld" : ",%05ld.%01ld", tenths / 10,
        tenths % 10);
}

// The twelve used-satellite fields of GSA and PSGSA, two digits each, empty when unused.
void AddUsedSatellites(std::string& out, const EpochSnapshot& e) {
    int listed = 0;
    for (const SatelliteView& s : e.satellites) {
        if (s.used && listed < 12) {
            Add(out, ",%02d", s.prn);
            ++listed;
        }
    }
    for (; listed < 12; ++listed) {
        out += ',';
    }
}

int FixModeDigit(const EpochSnapshot& e) {
    if (!e.fix) {
        return 1;
    }
    return e.SatellitesUsed() >= 4 ? 3 : 2;
}

int MessageCount(std::size_t entries) {
    return std::max(1, static_cast<int>((entries + 3) / 4));
}

// The satellites four to a sentence: `start` writes a sentence's first fields (its number from
// 1 and the count), `entry` one satellite's fields (with its index in the epoch), and `padding`
// stands for each missing satellite in the last sentence.
template <typename Start, typename Entry>
std::vector<std::string> FourPerSentence(const EpochSnapshot& e, Start start, Entry entry,
                                         const char* padding) {
    const int total = MessageCount(e.satellites.size());
    std::vector<std::string> out;
    for (int m = 0; m < total; ++m) {
        std::string s = start(m + 1, total);
        for (std::size_t k = static_cast<std::size_t>(m) * 4;
             k < static_cast<std::size_t>(m) * 4 + 4; ++k) {
            if (k >= e.satellites.size()) {
                s += padding;
            } else {
                entry(s, e.satellites[k], k);
            }
        }
        out.push_back(WithChecksum(s));
    }
    return out;
}

}  // namespace

unsigned NmeaChecksum(std::string_view sentence) {
    unsigned sum = 0;
    for (std::size_t i = sentence.empty() || sentence[0] != '$' ? 0 : 1; i < sentence.size(); ++i) {
        if (sentence[i] == '*') {
            break;
        }
        sum ^= static_cast<unsigned char>(sentence[i]);
    }
    return sum;
}

std::string WithChecksum(std::string_view body) {
    std::string out(body);
    Add(out, "*%02X", NmeaChecksum(body));
    return out;
}

// $GPGGA,hhmmss,ddmm.ffff,N,dddmm.ffff,E,q,ss,hh.h,aaaaa.a,M,ggg.g,M,,*CS
// 1 time 6 | 2 latitude 9 (8 with three decimals) | 3 N/S 1 | 4 longitude 10 (9) | 5 E/W 1 |
// 6 fix quality 1 | 7 satellites used 2 | 8 HDOP 4 | 9 altitude 7 (8 with "-") | 10 "M" |
// 11 geoid separation 5 | 12 "M" | 13 age of differential data (empty: no DGPS) | 14 station
// (absent). Without a fix the position, dilution and altitude fields are empty.
std::string GgaSentence(const EpochSnapshot& e, const NmeaLayout& layout) {
    std::string s = "$GPGGA";
    AddTime(s, BreakDown(e.time));
    if (e.fix) {
        const int decimals = layout.fourDigitMinutes ? 4 : 3;
        AddMinutes(s, e.latDeg, true, decimals);
        AddMinutes(s, e.lonDeg, false, decimals);
        Add(s, ",1,%02d", e.SatellitesUsed());
        AddDop(s, e.hdop);
        AddAltitude(s, e.altMetres);
        Add(s, ",M,%05.1f,M,,", std::clamp(e.geoidSeparation, -99.9, 999.9));
    } else {
        s += ",,,,,0,00,,,,,,,";
    }
    return WithChecksum(s);
}

// $GPGSA,A,3,pp x 12,PP.P,HH.H,VV.V*CS: selection mode, fix mode (1 none, 2 2D, 3 3D), twelve
// used satellites (2 digits or empty), PDOP, HDOP, VDOP (4 characters each).
std::string GsaSentence(const EpochSnapshot& e) {
    std::string s = "$GPGSA,A";
    Add(s, ",%d", FixModeDigit(e));
    AddUsedSatellites(s, e);
    AddDop(s, e.pdop);
    AddDop(s, e.hdop);
    AddDop(s, e.vdop);
    return WithChecksum(s);
}

// $GPGSV,t,n,vv,{pp,ee,aaa,ss} x 4*CS: messages (1), message number (1), satellites in view
// (2), then four satellites: number (2), elevation (2), azimuth (3), SNR (2, empty before the
// channel has locked on). The last message is padded with empty fields to four satellites.
std::vector<std::string> GsvSentences(const EpochSnapshot& e) {
    return FourPerSentence(
        e,
        [&e](int number, int total) {
            std::string s = "$GPGSV";
            Add(s, ",%d,%d,%02zu", total, number, e.satellites.size());
            return s;
        },
        [](std::string& s, const SatelliteView& v, std::size_t) {
            Add(s, ",%02d,%02d,%03d", v.prn, v.elevation, v.azimuth);
            if (v.snr > 0) {
                Add(s, ",%02d", v.snr);
            } else {
                s += ',';
            }
        },
        ",,,,");
}

// $GPVTG,ccc.c,T,mmm.m,M,kkk.k,N,sss.s,K*CS: true course (5), magnetic course (5), speed in
// knots (5), speed in km/h (5). Without a fix the four values are empty.
std::string VtgSentence(const EpochSnapshot& e) {
    std::string s = "$GPVTG";
    if (e.fix) {
        const double course = std::fmod(std::round(e.courseDeg * 10.0) / 10.0, 360.0);
        double magnetic = std::fmod(course + 7.0 + 360.0, 360.0);
        Add(s, ",%05.1f,T,%05.1f,M", course, magnetic);
        Add(s, ",%05.1f,N,%05.1f,K", std::min(e.speedKmh / 1.852, 999.9),
            std::min(e.speedKmh, 999.9));
    } else {
        s += ",,T,,M,,N,,K";
    }
    return WithChecksum(s);
}

// $GPZDA,hhmmss,dd,mm,yyyy,00,00*CS: time, day, month, year, local zone hours and minutes.
std::string ZdaSentence(const EpochSnapshot& e) {
    const CivilTime c = BreakDown(e.time);
    std::string s = "$GPZDA";
    AddTime(s, c);
    Add(s, ",%02d,%02d,%04d,00,00", c.day, c.month, c.year);
    return WithChecksum(s);
}

// $GPGLL,ddmm.ffff,N,dddmm.ffff,E,hhmmss,A*CS (status V and empty position without a fix).
std::string GllSentence(const EpochSnapshot& e) {
    std::string s = "$GPGLL";
    if (e.fix) {
        AddMinutes(s, e.latDeg, true, 4);
        AddMinutes(s, e.lonDeg, false, 4);
    } else {
        s += ",,,,";
    }
    AddTime(s, BreakDown(e.time));
    s += e.fix ? ",A" : ",V";
    return WithChecksum(s);
}

// $GPRMC,hhmmss,A,ddmm.ffff,N,dddmm.ffff,E,kkk.k,ccc.c,ddmmyy,,*CS: time, status (A valid,
// V void), position, speed in knots, true course, date, magnetic variation (empty).
std::string RmcSentence(const EpochSnapshot& e) {
    const CivilTime c = BreakDown(e.time);
    std::string s = "$GPRMC";
    AddTime(s, c);
    if (e.fix) {
        s += ",A";
        AddMinutes(s, e.latDeg, true, 4);
        AddMinutes(s, e.lonDeg, false, 4);
        Add(s, ",%05.1f,%05.1f", std::min(e.speedKmh / 1.852, 999.9),
            std::fmod(std::round(e.courseDeg * 10.0) / 10.0, 360.0));
    } else {
        s += ",V,,,,,,";
    }
    Add(s, ",%02d%02d%02d,,", c.day, c.month, c.year % 100);
    return WithChecksum(s);
}

// $PEXT,m,uu,vv,ttt,hh,pp,aa,ee,FFF*CS: eight status fields of widths 1, 2, 2, 3, 2, 2, 2, 2
// (fix mode, satellites used, in view, seconds since the last fix, HDOP, PDOP and VDOP in
// whole units, the epoch's second) and three hexadecimal flag digits.
std::string PextSentence(const EpochSnapshot& e) {
    std::string s = "$PEXT";
    const long sinceFix = std::min<long>(999, static_cast<long>((e.time - e.lastFixTime) / 1000));
    Add(s, ",%d,%02d,%02zu,%03ld,%02d,%02d,%02d,%02d", FixModeDigit(e), e.SatellitesUsed(),
        e.satellites.size(), sinceFix, static_cast<int>(std::min(e.hdop, 99.0)),
        static_cast<int>(std::min(e.pdop, 99.0)), static_cast<int>(std::min(e.vdop, 99.0)),
        BreakDown(e.time).second);
    Add(s, ",%03X", PextFlagDigits(e));
    return WithChecksum(s);
}

int PextFlagDigits(const EpochSnapshot& e) {
    // Digit 0 (flags 0-3): fix, 3D, differential, time valid. Digit 1 (flags 4-7): the used
    // count's low bits. Digit 2 (flags 8-11): the tracked count's low bits.
    const int fix = e.fix ? 1 : 0;
    const int threeD = FixModeDigit(e) == 3 ? 2 : 0;
    const int digit0 = fix | threeD | 8;
    const int digit1 = e.SatellitesUsed() & 0xF;
    const int digit2 = e.SatellitesTracked() & 0xF;
    return digit0 << 8 | digit1 << 4 | digit2;
}

// $PVLM,d*CS: one digit at column 6, the fix mode (1 none, 2 2D, 3 3D).
std::string PvlmSentence(const EpochSnapshot& e) {
    std::string s = "$PVLM";
    Add(s, ",%d", PvlmValue(e));
    return WithChecksum(s);
}

int PvlmValue(const EpochSnapshot& e) {
    return FixModeDigit(e);
}

char PssstCode(const SatelliteView& s) {
    if (s.used) {
        return 'U';
    }
    return s.snr > 0 ? 'T' : 'S';
}

// $PSSST,t,n,{pp,c,a,b,vvvvv,s} x 4*CS: messages (1), message number (1), then four entries:
// satellite (2), channel code (1: U used, T tracked, S searching), two state digits (1 each:
// channel number's tens and units), Doppler in Hz (5 digits) and its sign (P, or N negative).
// The last message is padded with empty fields.
std::vector<std::string> PssstSentences(const EpochSnapshot& e) {
    return FourPerSentence(
        e,
        [](int number, int total) {
            std::string s = "$PSSST";
            Add(s, ",%d,%d", total, number);
            return s;
        },
        [](std::string& s, const SatelliteView& v, std::size_t k) {
            Add(s, ",%02d,%c,%zu,%zu,%05d,%c", v.prn, PssstCode(v), k / 10 % 10, k % 10,
                std::min(99999, std::abs(v.doppler)), v.doppler < 0 ? 'N' : 'P');
        },
        ",,,,,,");
}

// $PSGSA,m,pp x 12,PP.P,HH.H,VV.V,vvvvv,yyyymmdd,t*CS: mode (A automatic), twelve used
// satellites, PDOP, HDOP, VDOP, clock drift in ns/s (5 digits, 6 with "-"), the date as four
// two-digit pairs, and a tail letter (A valid fix, V void).
std::string PsgsaSentence(const EpochSnapshot& e) {
    const CivilTime c = BreakDown(e.time);
    std::string s = "$PSGSA,A";
    AddUsedSatellites(s, e);
    AddDop(s, e.pdop);
    AddDop(s, e.hdop);
    AddDop(s, e.vdop);
    const int value = PsgsaClockValue(e);
    Add(s, value < 0 ? ",-%05d" : ",%05d", std::abs(value));
    Add(s, ",%04d%02d%02d,%c", c.year, c.month, c.day, e.fix ? 'A' : 'V');
    return WithChecksum(s);
}

int PsgsaClockValue(const EpochSnapshot& e) {
    // A slow, signed clock drift derived from the epoch's time.
    const double minutes = static_cast<double>(e.time % 3'600'000) / 60'000.0;
    return static_cast<int>(std::lround(250.0 * std::sin(minutes / 60.0 * 6.283185307)));
}

}  // namespace orbex::sim
