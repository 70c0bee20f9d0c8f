// What the receiver knows at one epoch: time, fix, position, velocity, dilution and the
// satellites in view. Formatters turn a snapshot into lines; the truth file records it.
#pragma once

#include <vector>

#include "sim/sim_time.h"

namespace orbex::sim {

struct SatelliteView {
    int prn = 0;        // 1..32
    int elevation = 0;  // degrees, 0..90
    int azimuth = 0;    // degrees, 0..359
    int snr = 0;        // dB-Hz; 0 while the channel has not locked on
    bool used = false;  // in the position solution
    int doppler = 0;    // Hz, signed
};

struct EpochSnapshot {
    SimMillis time = 0;
    bool fix = false;
    SimMillis lastFixTime = 0;  // time of the latest fix (the current one while fixed)
    double latDeg = 0;          // of the latest fix; negative south
    double lonDeg = 0;          // negative west
    double altMetres = 0;       // above mean sea level
    double geoidSeparation = 36.7;
    double speedKmh = 0;
    double courseDeg = 0;  // 0..360, true
    double pdop = 99.9;
    double hdop = 99.9;
    double vdop = 99.9;
    std::vector<SatelliteView> satellites;  // channel order

    int SatellitesUsed() const;
    int SatellitesTracked() const;
};

// Dilution of precision of a set of used satellites (least-squares geometry with a clock
// term). Fewer than four satellites, or a degenerate geometry, give 99.9 for all three.
struct Dops {
    double pdop = 99.9;
    double hdop = 99.9;
    double vdop = 99.9;
};
Dops ComputeDops(const std::vector<SatelliteView>& satellites);

}  // namespace orbex::sim
