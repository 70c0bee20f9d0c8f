#include "sim/epoch_snapshot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace orbex::sim {

int EpochSnapshot::SatellitesUsed() const {
    return static_cast<int>(std::count_if(satellites.begin(), satellites.end(),
                                          [](const SatelliteView& s) { return s.used; }));
}

int EpochSnapshot::SatellitesTracked() const {
    return static_cast<int>(std::count_if(satellites.begin(), satellites.end(),
                                          [](const SatelliteView& s) { return s.snr > 0; }));
}

Dops ComputeDops(const std::vector<SatelliteView>& satellites) {
    // Normal matrix N = G^T G of the unit line-of-sight rows (east, north, up, clock).
    std::array<std::array<double, 8>, 4> m{};
    int used = 0;
    for (const SatelliteView& s : satellites) {
        if (!s.used) {
            continue;
        }
        ++used;
        const double e = s.elevation * std::numbers::pi / 180.0;
        const double a = s.azimuth * std::numbers::pi / 180.0;
        const std::array<double, 4> row = {std::cos(e) * std::sin(a), std::cos(e) * std::cos(a),
                                           std::sin(e), 1.0};
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                m[i][j] += row[i] * row[j];
            }
        }
    }
    if (used < 4) {
        return {};
    }
    // Invert N by Gauss-Jordan elimination with partial pivoting on [N | I].
    for (int i = 0; i < 4; ++i) {
        m[i][4 + i] = 1.0;
    }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r) {
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) {
                pivot = r;
            }
        }
        if (std::fabs(m[pivot][col]) < 1e-9) {
            return {};
        }
        std::swap(m[col], m[pivot]);
        const double p = m[col][col];
        for (double& v : m[col]) {
            v /= p;
        }
        for (int r = 0; r < 4; ++r) {
            if (r != col) {
                const double f = m[r][col];
                for (int c = 0; c < 8; ++c) {
                    m[r][c] -= f * m[col][c];
                }
            }
        }
    }
    const double qe = m[0][4], qn = m[1][5], qu = m[2][6];
    Dops d;
    d.hdop = std::min(99.9, std::sqrt(std::max(0.0, qe + qn)));
    d.vdop = std::min(99.9, std::sqrt(std::max(0.0, qu)));
    d.pdop = std::min(99.9, std::sqrt(std::max(0.0, qe + qn + qu)));
    return d;
}

}  // namespace orbex::sim
