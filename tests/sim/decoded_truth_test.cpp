// Every line the simulator sends, decoded by a LineDecoder and held against the truth file: the
// decoder accepts exactly the lines the truth says it will, and what it reads equals what the
// simulator meant, within the resolution of each format.
#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <cmath>
#include <set>
#include <sstream>

#include "decode/decode_line.h"
#include "decode/line_decoder.h"
#include "decode/lookup_tables.h"
#include "sim/receiver_simulator.h"
#include "sim_test_support.h"

namespace orbex::sim {
namespace {

struct Sent {
    std::string line;  // with terminator
    rapidjson::Document truth;
};

// Runs the simulator for `seconds` with a cold start after `resetAt` seconds.
std::vector<Sent> Record(const SimOptions& options, double seconds, double resetAt = -1) {
    std::stringstream truth;
    ReceiverSimulator sim(options, testing::TestStart(), &truth);
    std::string bytes;
    for (SimMillis t = testing::TestStart(); t < testing::TestStart() + seconds * 1000;
         t += sim.period()) {
        if (resetAt >= 0 && t == testing::TestStart() + static_cast<SimMillis>(resetAt * 1000)) {
            bytes += sim.Receive("@CD\r\n", t);
        }
        bytes += sim.Epoch(t);
    }
    std::vector<Sent> sent;
    const std::vector<std::string> lines = testing::SplitLines(bytes);
    std::string json;
    std::size_t i = 0;
    while (std::getline(truth, json)) {
        Sent s;
        s.truth.Parse(json.c_str());
        EXPECT_FALSE(s.truth.HasParseError()) << json;
        if (i < lines.size()) {
            s.line = lines[i++];
        }
        sent.push_back(std::move(s));
    }
    EXPECT_EQ(sent.size(), lines.size()) << "one truth object per line sent";
    return sent;
}

double Signed(double arcSec, char hemisphere) {
    return hemisphere == 'S' || hemisphere == 'W' ? -arcSec : arcSec;
}
double LatArcSec(const ReceiverState& s) {
    return Signed(s.latDegrees * 3600.0 + s.latMinutes * 60.0 + s.latSeconds, s.latHemisphere);
}
double LonArcSec(const ReceiverState& s) {
    return Signed(s.lonDegrees * 3600.0 + s.lonMinutes * 60.0 + s.lonSeconds, s.lonHemisphere);
}

std::string Tag(const Sent& s) {
    return s.truth["tag"].GetString();
}
bool Fix(const Sent& s) {
    return s.truth["fix"].GetBool();
}
double Num(const Sent& s, const char* name) {
    return s.truth[name].GetDouble();
}
const rapidjson::Value& Satellites(const Sent& s) {
    return s.truth["satellites"];
}

// Decodes every line with a decoder of its own, checks acceptance against the truth and hands
// the decoded state and the decoder on.
template <typename Check>
void DecodeAll(const std::vector<Sent>& sent, Check check, std::set<std::string>* tags = nullptr) {
    LineDecoder decoder;
    for (const Sent& s : sent) {
        ASSERT_EQ(testing::Text(s.line), s.truth["text"].GetString());
        if (s.truth.HasMember("fault") &&
            std::string(s.truth["fault"].GetString()).find("unprintable") != std::string::npos) {
            // The link drops the line before the decoder sees it.
            EXPECT_NE(s.line.find('\x07'), std::string::npos);
            EXPECT_FALSE(s.truth["decodes"].GetBool());
            continue;
        }
        ReceiverState state;
        const bool ok = decoder.Decode(state, s.line.c_str());
        ASSERT_EQ(ok, s.truth["decodes"].GetBool()) << s.line;
        if (tags != nullptr) {
            tags->insert(Tag(s));
        }
        if (ok) {
            check(s, state, decoder);
        }
    }
}

void CheckTime(const Sent& s, const RecordTime& t) {
    const std::string iso = s.truth["time"].GetString();  // 2026-06-01T12:00:07Z
    EXPECT_EQ(t.hour, std::stoi(iso.substr(11, 2))) << s.line;
    EXPECT_EQ(t.minute, std::stoi(iso.substr(14, 2)));
    EXPECT_EQ(t.second, std::stoi(iso.substr(17, 2)));
}

// Checks the NMEA sentences; `arcSecResolution` is that of the GGA minutes.
void CheckNmea(const Sent& s, const ReceiverState& st, const LineDecoder& decoder,
               double arcSecResolution) {
    const std::string tag = Tag(s);
    const rapidjson::Value& sats = Satellites(s);
    if (tag == "$GPGGA") {
        CheckTime(s, st.altTime);
        EXPECT_EQ(st.fixQuality, Fix(s) ? '1' : '0');
        EXPECT_EQ(st.satellitesUsed, s.truth["satellitesUsed"].GetInt());
        if (Fix(s)) {
            EXPECT_NEAR(LatArcSec(st), Num(s, "latArcSec"), arcSecResolution / 2 + 1e-6) << s.line;
            EXPECT_NEAR(LonArcSec(st), Num(s, "lonArcSec"), arcSecResolution / 2 + 1e-6) << s.line;
            EXPECT_NEAR(decoder.samples().newestLatArcSec(), Num(s, "latArcSec"),
                        arcSecResolution / 2 + 1e-6);
            EXPECT_NEAR(st.altitude, Num(s, "altitude"), 0.05 + 1e-4);
            EXPECT_NEAR(st.hdop, std::min(99.9, Num(s, "hdop")), 0.05 + 1e-4);
        }
    } else if (tag == "$GPGSA") {
        EXPECT_EQ(st.fixMode, Fix(s) ? '3' : '1');
        std::vector<int> used;
        for (const auto& sat : sats.GetArray()) {
            if (sat["used"].GetBool()) {
                used.push_back(sat["prn"].GetInt());
            }
        }
        for (std::size_t k = 0; k < 12; ++k) {
            EXPECT_EQ(st.satellites[k].gsaPrn, k < used.size() ? used[k] : 0) << s.line;
        }
        EXPECT_NEAR(st.pdop, Num(s, "pdop"), 0.05 + 1e-4);
        EXPECT_NEAR(st.vdop, Num(s, "vdop"), 0.05 + 1e-4);
    } else if (tag == "$GPGSV") {
        EXPECT_EQ(st.gsvInView, sats.Size());
        EXPECT_EQ(st.gsvTotal, (sats.Size() + 3) / 4);
        const int first = (st.gsvNumber - 1) * 4;
        for (int k = first; k < first + 4 && k < static_cast<int>(sats.Size()); ++k) {
            const SatelliteSlot& slot = st.satellites[k];
            EXPECT_EQ(slot.gsvPrn, sats[k]["prn"].GetInt()) << s.line;
            EXPECT_EQ(slot.gsvElevation, sats[k]["elevation"].GetInt());
            EXPECT_EQ(slot.gsvAzimuth, sats[k]["azimuth"].GetInt());
            EXPECT_EQ(slot.gsvSnr, sats[k]["snr"].GetInt());
        }
        if (st.gsvNumber == st.gsvTotal) {
            EXPECT_EQ(st.gsvCount, sats.Size()) << s.line;
        }
    } else if (tag == "$GPVTG" && Fix(s)) {
        const double course = std::fmod(std::round(Num(s, "course") * 10) / 10, 360.0);
        EXPECT_EQ(st.course, static_cast<int>(course)) << s.line;
        EXPECT_NEAR(st.vtgSpeedKmh, Num(s, "speedKmh"), 0.05 + 1e-4);
        EXPECT_NEAR(st.vtgSpeedKnots, Num(s, "speedKmh") / 1.852, 0.05 + 1e-4);
    } else if (tag == "$GPZDA") {
        CheckTime(s, st.altTime);
        const std::string iso = s.truth["time"].GetString();
        EXPECT_EQ(st.altTime.year, std::stoi(iso.substr(0, 4)));
        EXPECT_EQ(st.altTime.month, std::stoi(iso.substr(5, 2)));
        EXPECT_EQ(st.altTime.day, std::stoi(iso.substr(8, 2)));
    } else if (tag == "$PEXT") {
        const rapidjson::Value& flags = s.truth["pextFlags"];
        for (rapidjson::SizeType k = 0; k < 12; ++k) {
            EXPECT_EQ(st.pextFlags[k], flags[k].GetInt()) << s.line << " flag " << k;
        }
    } else if (tag == "$PVLM") {
        EXPECT_EQ(st.pvlmValue, s.truth["pvlmValue"].GetInt());
    } else if (tag == "$PSSST") {
        const int first = (st.gsvNumber - 1) * 4;
        for (int k = first; k < first + 4 && k < static_cast<int>(sats.Size()); ++k) {
            EXPECT_EQ(st.extSatellites[k].prn, sats[k]["prn"].GetInt()) << s.line;
            EXPECT_EQ(st.extSatellites[k].value, sats[k]["doppler"].GetInt()) << s.line;
            EXPECT_EQ(st.extSatellites[k].digitB, k % 10);
        }
    } else if (tag == "$PSGSA") {
        EXPECT_EQ(st.psgsaValue, s.truth["psgsaValue"].GetInt());
        EXPECT_EQ(st.extDatePresent, 1);
        EXPECT_EQ(st.extDate[0] * 100 + st.extDate[1],
                  std::stoi(std::string(s.truth["time"].GetString()).substr(0, 4)));
        EXPECT_NEAR(st.psgsaPdop, Num(s, "pdop"), 0.05 + 1e-4);
        EXPECT_EQ(st.psgsaTail[0], Fix(s) ? 'A' : 'V');
    }
}

void CheckNative(const Sent& s, const ReceiverState& st, const LineDecoder& decoder) {
    EXPECT_STREQ(st.kind, "SM1.04");
    CheckTime(s, st.nativeTime);
    EXPECT_NEAR(LatArcSec(st), Num(s, "latArcSec"), 0.005 + 1e-6) << s.line;
    EXPECT_NEAR(LonArcSec(st), Num(s, "lonArcSec"), 0.005 + 1e-6) << s.line;
    EXPECT_NEAR(decoder.samples().newestLonArcSec(), Num(s, "lonArcSec"), 0.005 + 1e-6);
    EXPECT_EQ(st.altitudeMetres, std::lround(Num(s, "altitude")));
    EXPECT_EQ(st.speedKmhWhole, std::lround(Num(s, "speedKmh")));
    EXPECT_EQ(st.course, std::lround(Num(s, "course")) % 360);
    EXPECT_STREQ(PositioningModeText(st.fixMode), Fix(s) ? "3D" : "Invalid");
    const rapidjson::Value& sats = Satellites(s);
    for (rapidjson::SizeType k = 0; k < 16; ++k) {
        const SatelliteSlot& slot = st.satellites[k];
        if (k >= sats.Size()) {
            EXPECT_EQ(slot.statusCode, 'A');
            continue;
        }
        EXPECT_EQ(SatelliteNumber(slot.prnCode), sats[k]["prn"].GetInt()) << s.line;
        EXPECT_NEAR(std::stoi(AngleText(slot.elevationCode)), sats[k]["elevation"].GetInt(), 5);
        int azimuth = sats[k]["azimuth"].GetInt();
        azimuth = azimuth > 180 ? azimuth - 360 : azimuth;
        EXPECT_LE(std::abs(std::stoi(AngleText(slot.azimuthCode)) - azimuth) % 360, 5) << s.line;
        EXPECT_EQ(slot.levelCode - 'A', sats[k]["snr"].GetInt() * 25 / 99);
        EXPECT_STREQ(ChannelStatusName(slot.statusCode), sats[k]["used"].GetBool()     ? "DECODE  "
                                                         : sats[k]["snr"].GetInt() > 0 ? "DECODE  "
                                                                                       : "STBY  ");
    }
}

void CheckFourChannel(const Sent& s, const ReceiverState& st, const LineDecoder&) {
    EXPECT_STREQ(st.kind, "N");
    CheckTime(s, st.altTime);
    EXPECT_NEAR(LatArcSec(st), Num(s, "latArcSec"), 0.05 + 1e-6) << s.line;
    EXPECT_NEAR(LonArcSec(st), Num(s, "lonArcSec"), 0.05 + 1e-6) << s.line;
    EXPECT_EQ(st.altitudeMetres, std::lround(Num(s, "altitude")));
    EXPECT_EQ(st.course, std::lround(Num(s, "course")) % 360);
    std::set<int> inView;
    for (const auto& sat : Satellites(s).GetArray()) {
        inView.insert(sat["prn"].GetInt());
    }
    for (int k = 0; k < 4 && k < static_cast<int>(Satellites(s).Size()); ++k) {
        EXPECT_TRUE(inView.count(SatelliteNumber(st.satellites[k].prnCode))) << s.line;
    }
}

TEST(DecodedAgainstTruth, NativeRecords) {
    SimOptions o = testing::TestOptions();
    o.format = OutputFormat::kNative;
    o.ttffCold = 5;
    std::set<std::string> tags;
    DecodeAll(Record(o, 30, 10), CheckNative, &tags);
    EXPECT_EQ(tags, (std::set<std::string>{"SM1.04", "reply"}));
}

TEST(DecodedAgainstTruth, FourChannelRecords) {
    SimOptions o = testing::TestOptions();
    o.format = OutputFormat::kFourChannel;
    DecodeAll(Record(o, 30), CheckFourChannel);
}

TEST(DecodedAgainstTruth, NmeaWithFourDigitMinutesAndEveryExtraSentence) {
    SimOptions o = testing::TestOptions();
    o.extra = true;
    o.ttffCold = 6;
    std::set<std::string> tags;
    DecodeAll(
        Record(o, 30, 8),
        [](const Sent& s, const ReceiverState& st, const LineDecoder& decoder) {
            CheckNmea(s, st, decoder, 0.006);
            if (Tag(s) == "$GPGGA") {
                EXPECT_EQ(decoder.ggaFourDigitMinutes(), 1);
            }
        },
        &tags);
    EXPECT_EQ(tags,
              (std::set<std::string>{"$GPGGA", "$GPGSA", "$GPGSV", "$GPVTG", "$GPZDA", "$GPGLL",
                                     "$PEXT", "$PVLM", "$PSSST", "$PSGSA", "$GPRMC", "reply"}));
}

TEST(DecodedAgainstTruth, NmeaWithThreeDigitMinutesSouthWestAndMoving) {
    SimOptions o = testing::TestOptions();
    o.fourDigitMinutes = false;
    o.latDeg = -33.8688;
    o.lonDeg = -70.6693;
    o.speedKmh = 55;
    o.headingDeg = 250;
    o.rateHz = 5;
    DecodeAll(Record(o, 10),
              [](const Sent& s, const ReceiverState& st, const LineDecoder& decoder) {
                  CheckNmea(s, st, decoder, 0.06);
                  if (Tag(s) == "$GPGGA") {
                      EXPECT_EQ(st.latHemisphere, 'S');
                      EXPECT_EQ(st.lonHemisphere, 'W');
                      EXPECT_LT(decoder.samples().newestLatArcSec(), 0);
                      EXPECT_EQ(decoder.ggaFourDigitMinutes(), 0);
                  }
              });
}

TEST(DecodedAgainstTruth, MixedEpochsAndTheHandheldStream) {
    SimOptions o = testing::TestOptions();
    o.format = OutputFormat::kMixed;
    DecodeAll(Record(o, 10),
              [](const Sent& s, const ReceiverState& st, const LineDecoder& decoder) {
                  const std::string tag = Tag(s);
                  if (tag == "SM1.04") {
                      CheckNative(s, st, decoder);
                  } else if (tag == "N") {
                      CheckFourChannel(s, st, decoder);
                  } else {
                      CheckNmea(s, st, decoder, 0.006);
                  }
              });
    SimOptions h = testing::TestOptions();
    h.handheld = true;
    std::set<std::string> tags;
    DecodeAll(
        Record(h, 10),
        [](const Sent& s, const ReceiverState& st, const LineDecoder& decoder) {
            CheckNmea(s, st, decoder, 0.006);
        },
        &tags);
    EXPECT_EQ(tags, (std::set<std::string>{"$GPGGA", "$GPGSA", "$GPGSV", "$GPRMC"}));
}

TEST(DecodedAgainstTruth, FaultyLinesAreTheOnesTheDecoderRefuses) {
    SimOptions o = testing::TestOptions();
    o.format = OutputFormat::kMixed;
    o.faults.badChecksumEvery = 3;
    o.faults.unprintableEvery = 5;
    int badChecksums = 0;
    int unprintable = 0;
    std::vector<Sent> sent = Record(o, 10);
    for (const Sent& s : sent) {
        const std::string fault = s.truth.HasMember("fault") ? s.truth["fault"].GetString() : "";
        badChecksums += fault.find("bad-checksum") != std::string::npos ? 1 : 0;
        unprintable += fault.find("unprintable") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(badChecksums, static_cast<int>(sent.size() - 20) / 3);  // 20 fixed records
    EXPECT_EQ(unprintable, static_cast<int>(sent.size()) / 5);
    DecodeAll(sent, [](const Sent&, const ReceiverState&, const LineDecoder&) {});

    // With 0xDA ending every line everything still decodes, the fixed-length records too.
    o.faults = {};
    o.faults.daTerminator = true;
    sent = Record(o, 5);
    for (const Sent& s : sent) {
        EXPECT_EQ(s.line.back(), '\xDA');
    }
    std::set<std::string> tags;
    DecodeAll(
        sent,
        [](const Sent& s, const ReceiverState& st, const LineDecoder& decoder) {
            if (Tag(s) == "SM1.04") {
                CheckNative(s, st, decoder);
            }
        },
        &tags);
    EXPECT_TRUE(tags.count("SM1.04") && tags.count("N") && tags.count("$GPGGA"));
}

}  // namespace
}  // namespace orbex::sim
