// Received lines for the monitor-window tests, decoded the way the main window does: native
// records with chosen columns, and NMEA sentences in the receiver's fixed-width layout with
// their checksum.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "decode/line_decoder.h"
#include "decode/receiver_state.h"
#include "tests/support/test_files.h"

namespace orbex::test {

// A native record (148 characters and CR LF): 3 Dec 2008 (UTC, Tue) 01:30:45 at
// N 35 41' 12.34", E 139 46' 45.67", 42 m, 12 km/h, course 90; every channel decoding
// satellite k + 1 at elevation 40, azimuth 90, level 12.
class NativeLine {
  public:
    NativeLine() {
        text_ =
            "SMV104"         // 0 kind
            "0812032013045"  // 6 year, month, day, day code, time
            "N3541123"       // 19 latitude
            "E13946456"      // 27 longitude
            "00042012090"    // 36 altitude, speed, course
            "0812032013044"  // 47 time of the last position update
            "C4A";           // 60 DOP class, positioning mode, datum
        for (int k = 0; k < kChannelCount; ++k) {
            text_ += std::string{static_cast<char>('A' + k), 'E', 'J', 'F', 'M'};
        }
        text_ += "0AEH_";  // 143 flag, letter value, hundredths letters, last character
    }
    NativeLine& Put(std::size_t column, std::string_view text) {
        text_.replace(column, text.size(), text);
        return *this;
    }
    NativeLine& Kind(std::string_view kind) { return Put(0, kind); }
    // The five codes of channel k: number, elevation, azimuth, status, level.
    NativeLine& Channel(int k, std::string_view codes) { return Put(63 + 5 * k, codes); }
    std::string Line() const { return text_ + "\r\n"; }

  private:
    std::string text_;
};

// Decodes the line through the window's decoder, as the main window's dispatch does.
inline ReceiverState Decoded(LineDecoder& decoder, const std::string& line) {
    ReceiverState state{};
    decoder.Decode(state, line.c_str());
    return state;
}

// Typical sentences of one epoch.
inline std::string Gga(std::string_view quality = "1") {
    return Sentence(std::string("$GPGGA,013045,3540.1234,N,13945.6789,E,") + std::string(quality) +
                    ",08,01.0,00042.5,M,036.7,M,003,0000");
}
inline std::string Gsa() {
    return Sentence("$GPGSA,A,3,05,12,17,,,,,,,,,,02.1,01.2,01.7");
}
inline std::string Zda() {
    return Sentence("$GPZDA,013046,08,12,2026,00,00");
}
inline std::string Vtg() {
    return Sentence("$GPVTG,090.5,T,090.5,M,005.4,N,010.0,K");
}

// A "$GPGSV" message with up to four satellites "pp,ee,aaa,ss".
inline std::string Gsv(int total, int number, int inView, const std::vector<std::string>& sats) {
    char head[32];
    std::snprintf(head, sizeof head, "$GPGSV,%d,%d,%02d", total, number, inView);
    std::string body = head;
    for (const std::string& s : sats) {
        body += "," + s;
    }
    return Sentence(body);
}

}  // namespace orbex::test
