// Stamping an assistance block's header read from AS.DAT (which may hold anything): the line
// count is read without reading past the header, and a header long enough to stamp comes out
// as one line ending in CR LF.
//
// Input: the first byte picks the network, the next four the GPS time; the rest is the header.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/assist/assist_header.h"
#include "tools/assist/gps_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) {
        return 0;
    }
    const auto network =
        (data[0] & 1) != 0 ? orbex::AssistNetwork::Wcdma : orbex::AssistNetwork::Gsm;
    const std::uint32_t clock =
        data[1] | data[2] << 8 | data[3] << 16 | std::uint32_t{data[4]} << 24;
    orbex::GpsTime time;
    time.week10 = static_cast<int>(clock % 1024);
    time.timeOfWeek = static_cast<std::int64_t>(clock / 1024 % 604800);
    // An exact-size copy, so that a read past the header's end is caught.
    const std::string header(reinterpret_cast<const char*>(data) + 5, size - 5);
    (void)orbex::AssistDataLineCount(network, header);
    if (header.size() <= orbex::MinimumHeaderLength(network)) {
        return 0;
    }
    const std::string stamped = orbex::StampAssistHeader(network, header, time);
    if (stamped.size() < 2 || stamped.compare(stamped.size() - 2, 2, "\r\n") != 0) {
        std::abort();
    }
    return 0;
}
