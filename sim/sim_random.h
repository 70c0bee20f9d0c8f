// The world's pseudo-random source. Own uniform and normal draws on top of mt19937_64, so a
// seed gives the same run with every standard library.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace orbex::sim {

class SimRandom {
  public:
    explicit SimRandom(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    double Uniform(double low, double high) { return low + (high - low) * Unit(); }
    // Uniform whole number in [low, high].
    int Between(int low, int high) {
        return low + static_cast<int>(engine_() % static_cast<std::uint64_t>(high - low + 1));
    }
    // Standard normal (Box-Muller).
    double Normal() {
        const double u = 1.0 - Unit();
        const double v = Unit();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * v);
    }

  private:
    std::mt19937_64 engine_;
};

}  // namespace orbex::sim
