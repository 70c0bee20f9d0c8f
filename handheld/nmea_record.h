// What the viewer knows of the receiver: one record overwritten field by field as the GGA,
// GSA, GSV and RMC sentences arrive, and the four parsers that fill it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orbexce {

// Satellite numbers the viewer keeps: 1..49 (index 0 is unused).
inline constexpr int kMaxSatellite = 49;

struct SatelliteView {
    bool inView = false;
    bool used = false;           // in the solution, by the latest GSA
    std::int16_t elevation = 0;  // degrees
    std::int16_t azimuth = 0;    // degrees
    int snr = 0;                 // 0, or 1..59 dB-Hz
};

// A position as GGA and RMC carry it, in four fields in a row.
struct SentencePosition {
    double latitude = 0;  // ddmm.mmmm
    char latitudeLetter = '\0';
    double longitude = 0;  // dddmm.mmmm
    char longitudeLetter = '\0';
};

struct NmeaRecord {
    // GGA
    double ggaTime = 0;  // hhmmss.ss
    SentencePosition ggaPosition;
    int fixQuality = 0;
    int satellitesUsed = 0;
    double ggaHdop = 0;
    double altitude = 0;
    char altitudeUnit = '\0';
    double geoidSeparation = 0;
    char geoidUnit = '\0';
    double differentialAge = 0;
    int differentialStation = 0;
    double height = 0;  // altitude + geoid separation

    // GSA
    char selectionMode = '\0';
    int fixMode = 0;  // 1 none, 2 2D, 3 3D
    double pdop = 0;
    double hdop = 0;
    double vdop = 0;

    // GSV
    int gsvTotal = 0;
    int gsvNumber = 0;
    int satellitesInView = 0;
    std::array<SatelliteView, kMaxSatellite + 1> satellites{};

    // RMC
    double rmcTime = 0;  // hhmmss.ss
    char status = '\0';
    SentencePosition rmcPosition;
    double speedKnots = 0;
    double course = 0;
    long date = 0;  // ddmmyy
    double magneticVariation = 0;
    char variationLetter = '\0';

    bool HasFix() const { return fixMode != 1; }
};

enum class SentenceKind { Other, Gga, Gsa, Gsv, Rmc };

// The kind of a checksum-valid sentence, from the characters at positions 2, 4 and 5
// ("$GPGGA": position 2 is "P", "GA" at 4-5).
SentenceKind KindOf(std::string_view sentence);

// Each parser fills the record from one sentence of its kind (checksum already tested).
void ParseGga(std::string_view sentence, NmeaRecord& record);
void ParseGsa(std::string_view sentence, NmeaRecord& record);
void ParseGsv(std::string_view sentence, NmeaRecord& record);
void ParseRmc(std::string_view sentence, NmeaRecord& record);

}  // namespace orbexce
