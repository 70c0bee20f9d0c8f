// The faults the receiver can be told to make, each off by default: wrong checksums,
// unprintable bytes, 0xDA terminators, runs without any terminator, and bursty output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_options.h"

namespace orbex::sim {

struct FramedLine {
    std::string bytes;  // as sent, terminator included
    std::string fault;  // empty when sent as meant
    bool brokenForDecoder = false;
};

class FaultInjector {
  public:
    explicit FaultInjector(const FaultOptions& faults) : faults_(faults) {}

    // Frames one line (without terminator). `checksummed` marks a sentence ending in "*HH".
    FramedLine Frame(std::string_view text, bool checksummed);

    // The run of printable bytes without a terminator that this epoch starts with (empty on
    // most epochs, and always when the fault is off).
    std::string RunForEpoch();

  private:
    FaultOptions faults_;
    long lines_ = 0;
    long sentences_ = 0;
    long epochs_ = 0;
};

// Holds output back and hands it on in chunks of exactly `chunk` bytes, so lines arrive split
// at arbitrary places; with chunk 0 everything passes at once.
class BurstBuffer {
  public:
    explicit BurstBuffer(int chunk) : chunk_(chunk) {}
    std::vector<std::string> Add(std::string_view bytes);
    std::string Flush();  // what is held back, at exit

  private:
    int chunk_;
    std::string held_;
};

}  // namespace orbex::sim
