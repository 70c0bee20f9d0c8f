#include "handheld/nmea_record.h"

#include <algorithm>
#include <limits>
#include <string>

#include "handheld/nmea_fields.h"

namespace orbexce {
namespace {

struct KindTag {
    char fourth, fifth;
    SentenceKind kind;
};

constexpr KindTag kKindTags[] = {
    {'G', 'A', SentenceKind::Gga},
    {'S', 'A', SentenceKind::Gsa},
    {'S', 'V', SentenceKind::Gsv},
    {'M', 'C', SentenceKind::Rmc},
};

std::int16_t ClampTo16(long value) {
    if (value > 32767) {
        return 32767;
    }
    if (value < -32768) {
        return -32768;
    }
    return static_cast<std::int16_t>(value);
}

int ClampToInt(long value) {
    return static_cast<int>(
        std::clamp<long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Latitude, N/S, longitude and E/W from field `first` on.
SentencePosition ReadPosition(const SentenceFields& f, std::size_t first) {
    return {f.Real(first), f.Letter(first + 1), f.Real(first + 2), f.Letter(first + 3)};
}

bool IsKeptSatellite(long number) {
    return number >= 1 && number <= kMaxSatellite;
}

}  // namespace

SentenceKind KindOf(std::string_view sentence) {
    if (sentence.size() < 6 || sentence[2] != 'P') {
        return SentenceKind::Other;
    }
    for (const KindTag& tag : kKindTags) {
        if (sentence[4] == tag.fourth && sentence[5] == tag.fifth) {
            return tag.kind;
        }
    }
    return SentenceKind::Other;
}

// $GPGGA,120000,3540.8742,N,13946.0275,E,1,08,01.4,00040.0,M,036.7,M,,*48
//  1 address  2 time  3 latitude  4 N/S  5 longitude  6 E/W  7 fix quality
//  8 satellites used  9 HDOP  10 altitude  11 unit  12 geoid separation  13 unit
//  14 age of differential data  15 station
void ParseGga(std::string_view sentence, NmeaRecord& r) {
    const SentenceFields f(sentence);
    r.ggaTime = f.Real(2);
    r.ggaPosition = ReadPosition(f, 3);
    r.fixQuality = ClampToInt(f.Integer(7));
    r.satellitesUsed = ClampToInt(f.Integer(8));
    r.ggaHdop = f.Real(9);
    r.altitude = f.Real(10);
    r.altitudeUnit = f.Letter(11);
    r.geoidSeparation = f.Real(12);
    r.geoidUnit = f.Letter(13);
    r.differentialAge = f.Real(14);
    r.differentialStation = ClampToInt(f.Integer(15));
    r.height = r.altitude + r.geoidSeparation;
}

// $GPGSA,A,3,04,10,11,14,20,22,27,29,,,,,03.2,01.4,02.8*00
//  2 selection mode  3 fix mode  4-15 satellites used  16 PDOP  17 HDOP  18 VDOP
void ParseGsa(std::string_view sentence, NmeaRecord& r) {
    const SentenceFields f(sentence);
    r.selectionMode = f.Letter(2);
    r.fixMode = ClampToInt(f.Integer(3));
    for (SatelliteView& satellite : r.satellites) {
        satellite.used = false;
    }
    for (std::size_t field = 4; field <= 15; ++field) {
        const long number = f.Integer(field);
        if (IsKeptSatellite(number)) {
            r.satellites[static_cast<std::size_t>(number)].used = true;
        }
    }
    r.pdop = f.Real(16);
    r.hdop = f.Real(17);
    r.vdop = f.Real(18);
}

// $GPGSV,2,1,08,04,45,320,40,10,47,219,40,11,52,066,41,14,19,333,35*74
//  2 total sentences  3 sentence number  4 satellites in view, then from field 5 groups of
//  satellite number, elevation, azimuth, SNR. A satellite numbered 50 or more is not kept;
//  an SNR outside 1..59 is kept as 0; a byte with the top bit set reads as "0".
void ParseGsv(std::string_view sentence, NmeaRecord& r) {
    std::string cleaned(sentence);
    for (char& c : cleaned) {
        if ((static_cast<unsigned char>(c) & 0x80) != 0) {
            c = '0';
        }
    }
    const SentenceFields f(cleaned);
    r.gsvTotal = ClampToInt(f.Integer(2));
    r.gsvNumber = ClampToInt(f.Integer(3));
    r.satellitesInView = ClampToInt(f.Integer(4));
    for (std::size_t first = 5; first <= f.count(); first += 4) {
        const long number = f.Integer(first);
        if (!IsKeptSatellite(number)) {
            continue;
        }
        SatelliteView& satellite = r.satellites[static_cast<std::size_t>(number)];
        satellite.inView = true;
        satellite.elevation = ClampTo16(f.Integer(first + 1));
        satellite.azimuth = ClampTo16(f.Integer(first + 2));
        const long snr = f.Integer(first + 3);
        satellite.snr = snr >= 1 && snr <= 59 ? static_cast<int>(snr) : 0;
    }
}

// $GPRMC,120000,A,3540.8742,N,13946.0275,E,000.1,214.0,010626,,*19
//  2 time  3 status  4 latitude  5 N/S  6 longitude  7 E/W  8 speed (knots)  9 course
//  10 date (ddmmyy)  11 magnetic variation  12 its E/W
void ParseRmc(std::string_view sentence, NmeaRecord& r) {
    const SentenceFields f(sentence);
    r.rmcTime = f.Real(2);
    r.status = f.Letter(3);
    r.rmcPosition = ReadPosition(f, 4);
    r.speedKnots = f.Real(8);
    r.course = f.Real(9);
    r.date = f.Integer(10);
    r.magneticVariation = f.Real(11);
    r.variationLetter = f.Letter(12);
}

}  // namespace orbexce
