#include "sim/receiver_world.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace orbex::sim {
namespace {

constexpr double kMetresPerDegree = 111'320.0;
constexpr double kWanderTau = 30.0;        // seconds: how fast the wander forgets
constexpr double kWanderHorizontal = 2.5;  // metres, standard deviation
constexpr double kWanderVertical = 4.0;    // metres
constexpr double kVelocityNoiseKmh = 0.3;  // per axis
constexpr int kMaxUsed = 12;               // the GSA sentence lists twelve

double Radians(double deg) {
    return deg * std::numbers::pi / 180.0;
}

}  // namespace

ReceiverWorld::ReceiverWorld(const SimOptions& options, SimMillis start)
    : options_(options),
      start_(start),
      random_(options.seed),
      lastTime_(start),
      restartAt_(start - 600'000),
      fixFrom_(start),
      lastFixTime_(start),
      lastLat_(options.latDeg),
      lastLon_(options.lonDeg),
      lastAlt_(options.altMetres) {
    std::vector<int> prns(32);
    std::iota(prns.begin(), prns.end(), 1);
    for (int i = 31; i > 0; --i) {
        std::swap(prns[i], prns[random_.Between(0, i)]);
    }
    const int count = random_.Between(8, 12);
    prns.resize(count);
    std::sort(prns.begin(), prns.end());
    for (int prn : prns) {
        Orbit o;
        o.prn = prn;
        o.baseElevation = random_.Uniform(12, 80);
        o.swing = random_.Uniform(3, 10);
        o.periodSeconds = random_.Uniform(3 * 3600, 8 * 3600);
        o.phase = random_.Uniform(0, 2 * std::numbers::pi);
        o.azimuth0 = random_.Uniform(0, 360);
        o.azimuthRate = random_.Uniform(0.002, 0.008) * (random_.Unit() < 0.5 ? -1 : 1);
        o.snrOffset = random_.Uniform(-3, 3);
        o.doppler0 = random_.Uniform(-4000, 4000);
        o.dopplerRate = random_.Uniform(-0.5, 0.5);
        orbits_.push_back(o);
    }
}

SimMillis ReceiverWorld::Restart(StartMode mode, SimMillis t) {
    const double base = mode == StartMode::kHot    ? options_.ttffHot
                        : mode == StartMode::kWarm ? options_.ttffWarm
                                                   : options_.ttffCold;
    const double jittered = std::max(0.0, base * random_.Uniform(0.9, 1.1));
    restartAt_ = t;
    fixFrom_ = t + static_cast<SimMillis>(std::llround(jittered * 1000.0));
    return fixFrom_ - t;
}

void ReceiverWorld::StepWander(double dt) {
    const double keep = std::exp(-dt / kWanderTau);
    const double kick = std::sqrt(1.0 - keep * keep);
    wanderNorth_ = wanderNorth_ * keep + kWanderHorizontal * kick * random_.Normal();
    wanderEast_ = wanderEast_ * keep + kWanderHorizontal * kick * random_.Normal();
    wanderUp_ = wanderUp_ * keep + kWanderVertical * kick * random_.Normal();
}

EpochSnapshot ReceiverWorld::Advance(SimMillis t) {
    const double dt = std::max(0.0, static_cast<double>(t - lastTime_) / 1000.0);
    lastTime_ = std::max(lastTime_, t);
    StepWander(dt);
    const double s = SecondsSinceStart(t);

    EpochSnapshot snap;
    snap.time = t;
    snap.fix = HasFix(t);

    // Satellites: elevation swings slowly, azimuth drifts, signal follows elevation.
    for (const Orbit& o : orbits_) {
        SatelliteView v;
        v.prn = o.prn;
        const double elev =
            o.baseElevation +
            o.swing * std::sin(2 * std::numbers::pi * s / o.periodSeconds + o.phase);
        v.elevation = std::clamp(static_cast<int>(std::lround(elev)), 3, 89);
        double az = std::fmod(o.azimuth0 + o.azimuthRate * s, 360.0);
        if (az < 0) {
            az += 360.0;
        }
        v.azimuth = static_cast<int>(std::lround(az)) % 360;
        const double snr =
            28.0 + 20.0 * std::sin(Radians(v.elevation)) + o.snrOffset + random_.Normal() * 0.8;
        v.snr = std::clamp(static_cast<int>(std::lround(snr)), 15, 55);
        v.doppler = static_cast<int>(std::lround(o.doppler0 + o.dopplerRate * s));
        snap.satellites.push_back(v);
    }

    // After a restart the channels lock on one by one (strongest first) until the fix.
    std::vector<std::size_t> order(snap.satellites.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return snap.satellites[a].snr > snap.satellites[b].snr;
    });
    std::size_t tracked = order.size();
    if (!snap.fix) {
        const double span = static_cast<double>(std::max<SimMillis>(1, fixFrom_ - restartAt_));
        const double fraction = static_cast<double>(t - restartAt_) / span;
        tracked = static_cast<std::size_t>(std::clamp(fraction, 0.0, 1.0) * order.size());
    }
    int used = 0;
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        SatelliteView& v = snap.satellites[order[rank]];
        if (rank >= tracked) {
            v.snr = 0;
        } else if (snap.fix && v.snr >= 30 && v.elevation >= 10 && used < kMaxUsed) {
            v.used = true;
            ++used;
        }
    }
    if (snap.fix) {
        const Dops d = ComputeDops(snap.satellites);
        snap.pdop = d.pdop;
        snap.hdop = d.hdop;
        snap.vdop = d.vdop;
    }

    // Velocity with noise; the antenna travels along the set course and wanders around it.
    const double vNorth = options_.speedKmh * std::cos(Radians(options_.headingDeg)) +
                          kVelocityNoiseKmh * random_.Normal();
    const double vEast = options_.speedKmh * std::sin(Radians(options_.headingDeg)) +
                         kVelocityNoiseKmh * random_.Normal();
    const double travelled = options_.speedKmh / 3.6 * s;
    const double north = travelled * std::cos(Radians(options_.headingDeg)) + wanderNorth_;
    const double east = travelled * std::sin(Radians(options_.headingDeg)) + wanderEast_;
    if (snap.fix) {
        lastLat_ = std::clamp(options_.latDeg + north / kMetresPerDegree, -89.99, 89.99);
        const double lon =
            options_.lonDeg + east / (kMetresPerDegree * std::cos(Radians(options_.latDeg)));
        lastLon_ = std::remainder(lon, 360.0);
        lastAlt_ = options_.altMetres + wanderUp_;
        lastFixTime_ = t;
        snap.speedKmh = std::hypot(vNorth, vEast);
        double course = std::atan2(vEast, vNorth) * 180.0 / std::numbers::pi;
        snap.courseDeg = course < 0 ? course + 360.0 : course;
    }
    snap.latDeg = lastLat_;
    snap.lonDeg = lastLon_;
    snap.altMetres = lastAlt_;
    snap.lastFixTime = lastFixTime_;
    return snap;
}

}  // namespace orbex::sim
