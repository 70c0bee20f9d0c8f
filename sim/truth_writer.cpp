#include "sim/truth_writer.h"

#include <cstdio>

#include "sim/coordinate_text.h"

namespace orbex::sim {
namespace {

std::string Number(double value, int decimals) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void TruthWriter::Write(const TruthLine& line, SimMillis t, const EpochSnapshot* epoch) {
    ++seq_;
    if (out_ == nullptr) {
        return;
    }
    std::string o = "{\"seq\":" + std::to_string(seq_) + ",\"time\":" + JsonString(FormatUtc(t)) +
                    ",\"tag\":" + JsonString(line.tag) + ",\"text\":" + JsonString(line.text) +
                    ",\"decodes\":" + (line.decodes ? "true" : "false");
    if (!line.fault.empty()) {
        o += ",\"fault\":" + JsonString(line.fault);
    }
    if (epoch != nullptr) {
        const EpochSnapshot& e = *epoch;
        o += std::string(",\"fix\":") + (e.fix ? "true" : "false");
        o += ",\"fixQuality\":\"" + std::string(e.fix ? "1" : "0") + "\"";
        o += ",\"latArcSec\":" + Number(ArcSeconds(e.latDeg), 4);
        o += ",\"lonArcSec\":" + Number(ArcSeconds(e.lonDeg), 4);
        o += ",\"altitude\":" + Number(e.altMetres, 3);
        o += ",\"speedKmh\":" + Number(e.speedKmh, 3);
        o += ",\"course\":" + Number(e.courseDeg, 3);
        o += ",\"pdop\":" + Number(e.pdop, 3) + ",\"hdop\":" + Number(e.hdop, 3) +
             ",\"vdop\":" + Number(e.vdop, 3);
        o += ",\"satellitesUsed\":" + std::to_string(e.SatellitesUsed());
        o += ",\"satellitesInView\":" + std::to_string(e.satellites.size());
        o += ",\"lastFixTime\":" + JsonString(FormatUtc(e.lastFixTime));
        o += ",\"satellites\":[";
        for (std::size_t i = 0; i < e.satellites.size(); ++i) {
            const SatelliteView& s = e.satellites[i];
            o += (i == 0 ? "{" : ",{") + std::string("\"prn\":") + std::to_string(s.prn) +
                 ",\"elevation\":" + std::to_string(s.elevation) +
                 ",\"azimuth\":" + std::to_string(s.azimuth) + ",\"snr\":" + std::to_string(s.snr) +
                 ",\"used\":" + (s.used ? "true" : "false") +
                 ",\"doppler\":" + std::to_string(s.doppler) + "}";
        }
        o += "]";
    }
    o += line.extraFields + "}\n";
    out_->write(o.data(), static_cast<std::streamsize>(o.size()));
    out_->flush();
}

}  // namespace orbex::sim
