// The values of the General Information window's NMEA page. An NMEA epoch is spread over
// several sentences, so each value is kept until the sentence that carries it comes again.
#pragma once

#include <array>
#include <cstdint>

#include "decode/receiver_state.h"

namespace orbex {

struct NmeaAccumulator {
    RecordTime zdaTime;  // "$GPZDA": its date and time of day
    // "$GPGGA"
    char latHemisphere = ' ';
    std::int32_t latDegrees = 0;
    std::int32_t latMinutes = 0;
    std::int32_t latMinuteFraction = 0;
    char lonHemisphere = ' ';
    std::int32_t lonDegrees = 0;
    std::int32_t lonMinutes = 0;
    std::int32_t lonMinuteFraction = 0;
    float altitude = 0;
    std::uint16_t dgpsAge = 0;  // seconds, up to 999
    char fixQuality = '0';
    // "$GPVTG"
    std::int32_t course = 0;
    float speedKmh = 0;
    // "$GPGSA"
    float pdop = 0;
    float hdop = 0;
    float vdop = 0;
    char fixMode = 1;  // shown as invalid until a "$GPGSA" arrives
    std::array<std::uint8_t, 12> usedPrn{};
    // "$GPGSV"
    std::uint8_t inView = 0;
    std::uint8_t messageCount = 0;
    std::uint8_t messageNumber = 0;
    std::uint8_t rowCount = 0;  // from the last message of a group only
    // The satellite table: the channel slots as the group's messages filled them (their gsv
    // fields).
    std::array<SatelliteSlot, kChannelCount> rows{};

    // Takes the values the record's sentence carries; other kinds change nothing.
    void Merge(const ReceiverState& record);
    // True when prn is one of the twelve satellites used in the fix (0 never is).
    bool IsUsed(std::uint8_t prn) const;

  private:
    void MergeSatellitesInView(const ReceiverState& record);
};

}  // namespace orbex
