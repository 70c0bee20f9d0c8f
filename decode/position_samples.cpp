#include "decode/position_samples.h"

namespace orbex {

void PositionSamples::Reset() {
    lat_.fill(0);
    lon_.fill(0);
    sampleNext_ = 0;
}

void PositionSamples::Add(const ReceiverState& state) {
    if (sampleNext_ >= kPositionSampleCount) {
        sampleNext_ = 0;
    }
    double lat = state.latDegrees * 3600.0 + state.latMinutes * 60.0 + state.latSeconds;
    if (state.latHemisphere == 'S' || state.latHemisphere == 's') {
        lat = -lat;
    }
    double lon = state.lonDegrees * 3600.0 + state.lonMinutes * 60.0 + state.lonSeconds;
    if (state.lonHemisphere == 'W' || state.lonHemisphere == 'w') {
        lon = -lon;
    }
    lat_[sampleNext_] = lat;
    lon_[sampleNext_] = lon;
    ++sampleNext_;
}

double PositionSamples::newestLatArcSec() const {
    return sampleNext_ > 0 ? lat_[sampleNext_ - 1] : 0.0;
}

double PositionSamples::newestLonArcSec() const {
    return sampleNext_ > 0 ? lon_[sampleNext_ - 1] : 0.0;
}

}  // namespace orbex
