#include "sim/fault_injector.h"

#include <cstdio>

#include "sim/nmea_sentences.h"

namespace orbex::sim {

FramedLine FaultInjector::Frame(std::string_view text, bool checksummed) {
    FramedLine framed;
    framed.bytes = text;
    ++lines_;
    if (checksummed) {
        ++sentences_;
        if (faults_.badChecksumEvery > 0 && sentences_ % faults_.badChecksumEvery == 0 &&
            framed.bytes.size() >= 3) {
            // The checksum of the body with its lowest bit flipped: still upper-case hex.
            const std::size_t star = framed.bytes.size() - 3;
            char wrong[4];
            std::snprintf(wrong, sizeof wrong, "%02X",
                          NmeaChecksum(std::string_view(framed.bytes).substr(0, star)) ^ 1u);
            framed.bytes.replace(star + 1, 2, wrong);
            framed.fault = "bad-checksum";
            framed.brokenForDecoder = true;
        }
    }
    if (faults_.unprintableEvery > 0 && lines_ % faults_.unprintableEvery == 0 &&
        framed.bytes.size() >= 4) {
        framed.bytes[framed.bytes.size() / 2] = '\x07';
        framed.fault = framed.fault.empty() ? "unprintable" : framed.fault + ",unprintable";
        framed.brokenForDecoder = true;
    }
    if (faults_.daTerminator) {
        framed.bytes += '\xDA';
        framed.fault = framed.fault.empty() ? "da-terminator" : framed.fault + ",da-terminator";
    } else {
        framed.bytes += "\r\n";
    }
    return framed;
}

std::string FaultInjector::RunForEpoch() {
    const long epoch = epochs_++;
    if (faults_.noTerminatorRun <= 0 || epoch % 10 != 9) {
        return {};
    }
    std::string run;
    run.reserve(static_cast<std::size_t>(faults_.noTerminatorRun));
    for (int i = 0; i < faults_.noTerminatorRun; ++i) {
        run += static_cast<char>('A' + i % 26);
    }
    return run;
}

std::vector<std::string> BurstBuffer::Add(std::string_view bytes) {
    if (chunk_ <= 0) {
        return {std::string(bytes)};
    }
    held_ += bytes;
    std::vector<std::string> chunks;
    const std::size_t size = static_cast<std::size_t>(chunk_);
    std::size_t used = 0;
    while (held_.size() - used >= size) {
        chunks.push_back(held_.substr(used, size));
        used += size;
    }
    held_.erase(0, used);
    return chunks;
}

std::string BurstBuffer::Flush() {
    std::string rest;
    rest.swap(held_);
    return rest;
}

}  // namespace orbex::sim
