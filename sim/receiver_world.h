// The receiver's world: a constellation of 8 to 12 satellites moving slowly across the sky, an
// antenna that wanders a few metres around its place (and travels at the set speed), and the
// restart state that decides when the receiver has a fix.
#pragma once

#include <vector>

#include "sim/epoch_snapshot.h"
#include "sim/sim_options.h"
#include "sim/sim_random.h"

namespace orbex::sim {

enum class StartMode { kHot, kWarm, kCold };

class ReceiverWorld {
  public:
    ReceiverWorld(const SimOptions& options, SimMillis start);

    // The state at time t; calls must come with non-decreasing t.
    EpochSnapshot Advance(SimMillis t);

    // A software reset at time t: no fix until the start mode's time to fix (with a little
    // jitter) has passed. Returns that time to fix in milliseconds.
    SimMillis Restart(StartMode mode, SimMillis t);

    bool HasFix(SimMillis t) const { return t >= fixFrom_; }
    SimMillis fixFrom() const { return fixFrom_; }

  private:
    struct Orbit {
        int prn;
        double baseElevation, swing, periodSeconds, phase;
        double azimuth0, azimuthRate;
        double snrOffset;
        double doppler0, dopplerRate;
    };

    double SecondsSinceStart(SimMillis t) const { return static_cast<double>(t - start_) / 1000.0; }
    void StepWander(double dt);

    SimOptions options_;
    SimMillis start_;
    SimRandom random_;
    std::vector<Orbit> orbits_;
    SimMillis lastTime_;
    SimMillis restartAt_;
    SimMillis fixFrom_;
    SimMillis lastFixTime_;
    double wanderNorth_ = 0, wanderEast_ = 0, wanderUp_ = 0;  // metres
    double lastLat_, lastLon_, lastAlt_;
};

}  // namespace orbex::sim
