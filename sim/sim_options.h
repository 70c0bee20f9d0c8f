// The command line of vm8140-sim: where the stream goes, what the receiver's world looks like,
// which formats it speaks, how long it takes to fix, and which faults it injects.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_time.h"

namespace orbex::sim {

enum class OutputFormat { kNative, kFourChannel, kNmea, kMixed };

struct FaultOptions {
    int badChecksumEvery = 0;   // every Nth checksummed sentence carries a wrong checksum
    int unprintableEvery = 0;   // every Nth line carries a byte outside 0x20..0x7E
    bool daTerminator = false;  // lines end in 0xDA instead of CR LF
    int burstBytes = 0;         // output is held back and written in chunks of this size
    int noTerminatorRun = 0;    // every 10 epochs, a run of this many bytes without terminator
    double hangupAfter = 0;     // seconds after which the port vanishes (0: never)
};

struct SimOptions {
    // Transport
    bool toStdout = false;
    std::string linkPath;
    std::string truthPath;
    bool fast = false;    // no real-time sleeping: one epoch per period of simulated time
    double duration = 0;  // seconds of simulated time to run (0: until killed)
    std::optional<SimMillis>
        start;  // simulated start time (default: wall clock, or fixed when fast)

    // World
    std::uint64_t seed = 1;
    double latDeg = 35.681236;
    double lonDeg = 139.767125;
    double altMetres = 40.0;
    bool south = false;  // --south: the latitude's magnitude, southern hemisphere
    bool west = false;   // --west: the longitude's magnitude, western hemisphere
    double speedKmh = 0.0;
    double headingDeg = 0.0;

    // Output
    OutputFormat format = OutputFormat::kNmea;
    bool extra = false;     // add GLL, PEXT, PVLM, PSSST, PSGSA and RMC to each NMEA epoch
    bool handheld = false;  // GGA, GSA, GSV and RMC only, at 4800 baud
    bool fourDigitMinutes = true;
    double rateHz = 1.0;

    // Restarts
    double ttffHot = 1.0;
    double ttffWarm = 30.0;
    double ttffCold = 45.0;
    bool ignoreResets = false;  // a receiver that takes no reset: no echo, no banner, no restart

    bool assistError = false;
    FaultOptions faults;
};

struct ParsedOptions {
    SimOptions options;
    bool showHelp = false;
    std::string error;  // empty when the command line was understood
};

ParsedOptions ParseSimOptions(const std::vector<std::string>& args);
std::string SimUsage();

}  // namespace orbex::sim
