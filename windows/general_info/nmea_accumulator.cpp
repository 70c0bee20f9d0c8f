#include "windows/general_info/nmea_accumulator.h"

#include <algorithm>

#include "windows/common/record_kind.h"

namespace orbex {
namespace {

// The GSV messages of a group that carry table rows: four slots each, message n from slot
// 4 (n - 1). Message numbers outside 1..4 carry no rows for this page.
constexpr int kSlotsPerMessage = 4;
constexpr int kLastRowMessage = 4;

}  // namespace

void NmeaAccumulator::Merge(const ReceiverState& record) {
    if (IsSentence(record, "$GPGGA")) {
        latHemisphere = record.latHemisphere;
        latDegrees = record.latDegrees;
        latMinutes = record.latMinutes;
        latMinuteFraction = record.latMinuteFraction;
        lonHemisphere = record.lonHemisphere;
        lonDegrees = record.lonDegrees;
        lonMinutes = record.lonMinutes;
        lonMinuteFraction = record.lonMinuteFraction;
        altitude = record.altitude;
        dgpsAge = record.dgpsAge;
        // An empty quality field says nothing about a fix: show it as invalid.
        fixQuality = record.fixQuality != 0 ? record.fixQuality : '0';
    } else if (IsSentence(record, "$GPVTG")) {
        course = record.course;
        speedKmh = record.vtgSpeedKmh;
    } else if (IsSentence(record, "$GPGSA")) {
        pdop = record.pdop;
        hdop = record.hdop;
        vdop = record.vdop;
        fixMode = record.fixMode;
        for (std::size_t i = 0; i < usedPrn.size(); ++i) {
            usedPrn[i] = record.satellites[i].gsaPrn;
        }
    } else if (IsSentence(record, "$GPGSV")) {
        MergeSatellitesInView(record);
    } else if (IsSentence(record, "$GPZDA")) {
        zdaTime = record.altTime;
    }
}

void NmeaAccumulator::MergeSatellitesInView(const ReceiverState& record) {
    inView = record.gsvInView;
    messageCount = record.gsvTotal;
    messageNumber = record.gsvNumber;
    if (record.gsvNumber == record.gsvTotal) {
        // A group of more than four messages ends with one that carries no rows here; its
        // table is the 16 rows of messages 1 to 4, not an empty one.
        rowCount = record.gsvNumber > kLastRowMessage
                       ? kChannelCount
                       : std::min<std::uint8_t>(record.gsvCount, kChannelCount);
    }
    if (record.gsvNumber < 1 || record.gsvNumber > kLastRowMessage) {
        return;
    }
    const int first = kSlotsPerMessage * (record.gsvNumber - 1);
    for (int slot = first; slot < first + kSlotsPerMessage; ++slot) {
        rows[slot] = record.satellites[slot];
    }
}

bool NmeaAccumulator::IsUsed(std::uint8_t prn) const {
    return prn != 0 && std::find(usedPrn.begin(), usedPrn.end(), prn) != usedPrn.end();
}

}  // namespace orbex
