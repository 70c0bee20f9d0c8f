// The sentences and records keep the exact field widths the column-walking decoders read,
// also at the edges: no fix, negative altitude, rounding that carries, south and west.
#include <gtest/gtest.h>

#include <cstdio>

#include "sim/coordinate_text.h"
#include "sim/native_records.h"
#include "sim/nmea_sentences.h"
#include "sim_test_support.h"

namespace orbex::sim {
namespace {

using testing::Fields;
using testing::Widths;
using W = std::vector<std::size_t>;

EpochSnapshot Snapshot(int satellites = 10, bool fix = true) {
    EpochSnapshot e;
    e.time = FromCivil(2026, 12, 8, 1, 2, 3);
    e.lastFixTime = e.time;
    e.fix = fix;
    e.latDeg = 35.5;
    e.lonDeg = 139.25;
    e.altMetres = 40.06;
    e.speedKmh = 12.34;
    e.courseDeg = 359.97;
    e.pdop = 1.85;
    e.hdop = 0.96;
    e.vdop = 1.55;
    for (int i = 0; i < satellites; ++i) {
        SatelliteView s;
        s.prn = 3 + 2 * i;
        s.elevation = 10 + 7 * i;
        s.azimuth = 30 * i;
        s.snr = fix ? 30 + i : 0;
        s.used = fix && i < 9;
        s.doppler = i % 2 == 0 ? -1200 - i : 800 + i;
        e.satellites.push_back(s);
    }
    return e;
}

bool ChecksumIsUpperCaseAndRight(const std::string& sentence) {
    const std::size_t star = sentence.find('*');
    if (star == std::string::npos || star + 3 != sentence.size()) {
        return false;
    }
    char expected[3];
    std::snprintf(expected, sizeof expected, "%02X", NmeaChecksum(sentence.substr(0, star)));
    return sentence.substr(star + 1) == expected;
}

TEST(NmeaLayout, GgaFieldsHaveTheirFixedWidths) {
    const std::string four = GgaSentence(Snapshot(), {true});
    EXPECT_EQ(Widths(four), (W{6, 9, 1, 10, 1, 1, 2, 4, 7, 1, 5, 1, 0, 0})) << four;
    EXPECT_EQ(four.substr(0, 46), "$GPGGA,010203,3530.0000,N,13915.0000,E,1,09,01");
    const std::string three = GgaSentence(Snapshot(), {false});
    EXPECT_EQ(Widths(three), (W{6, 8, 1, 9, 1, 1, 2, 4, 7, 1, 5, 1, 0, 0})) << three;
    EXPECT_TRUE(ChecksumIsUpperCaseAndRight(four));
    EXPECT_TRUE(ChecksumIsUpperCaseAndRight(three));
}

TEST(NmeaLayout, GgaWithoutFixKeepsTimeAndEmptiesTheRest) {
    const std::string s = GgaSentence(Snapshot(10, false), {true});
    EXPECT_EQ(Widths(s), (W{6, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 0})) << s;
    EXPECT_EQ(Fields(s)[5], "0");
    EXPECT_TRUE(ChecksumIsUpperCaseAndRight(s));
}

TEST(NmeaLayout, NegativeAltitudeTakesEightCharacters) {
    EpochSnapshot e = Snapshot();
    e.altMetres = -12.34;
    EXPECT_EQ(Fields(GgaSentence(e, {true}))[8], "-00012.3");
    e.altMetres = -0.04;  // rounds to zero: no sign
    EXPECT_EQ(Fields(GgaSentence(e, {true}))[8], "00000.0");
    e.altMetres = 1234.56;
    EXPECT_EQ(Fields(GgaSentence(e, {true}))[8], "01234.6");
}

TEST(NmeaLayout, MinuteRoundingCarriesIntoDegrees) {
    EpochSnapshot e = Snapshot();
    e.latDeg = 35.0 + 59.99996 / 60.0;   // 35 deg 59.99996' -> 36 deg 00.0000'
    e.lonDeg = -(8.0 + 59.9996 / 60.0);  // three decimals: 008 deg 59.9996' -> 009 deg 00.000'
    const std::vector<std::string> four = Fields(GgaSentence(e, {true}));
    EXPECT_EQ(four[1], "3600.0000");
    const std::vector<std::string> three = Fields(GgaSentence(e, {false}));
    EXPECT_EQ(three[3], "00900.000");
    EXPECT_EQ(three[4], "W");
}

TEST(NmeaLayout, GsaListsTwelveSlotsAndThreeDops) {
    const std::string s = GsaSentence(Snapshot());
    W expected = {1, 1};
    for (int i = 0; i < 12; ++i) {
        expected.push_back(i < 9 ? 2 : 0);
    }
    expected.insert(expected.end(), {4, 4, 4});
    EXPECT_EQ(Widths(s), expected) << s;
    EXPECT_EQ(Fields(s)[1], "3");
    EXPECT_EQ(Fields(s)[14], "01.9");
    EXPECT_EQ(Fields(GsaSentence(Snapshot(10, false)))[1], "1");
}

TEST(NmeaLayout, GsvSplitsIntoGroupsOfFourAndPadsTheLast) {
    const std::vector<std::string> gsv = GsvSentences(Snapshot(10));
    ASSERT_EQ(gsv.size(), 3u);
    for (std::size_t m = 0; m < gsv.size(); ++m) {
        const std::vector<std::string> f = Fields(gsv[m]);
        ASSERT_EQ(f.size(), 19u) << gsv[m];
        EXPECT_EQ(f[0], "3");
        EXPECT_EQ(f[1], std::to_string(m + 1));
        EXPECT_EQ(f[2], "10");
        EXPECT_TRUE(ChecksumIsUpperCaseAndRight(gsv[m]));
    }
    EXPECT_EQ(Widths(gsv[0]), (W{1, 1, 2, 2, 2, 3, 2, 2, 2, 3, 2, 2, 2, 3, 2, 2, 2, 3, 2}));
    EXPECT_EQ(Widths(gsv[2]), (W{1, 1, 2, 2, 2, 3, 2, 2, 2, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0}));
    // A channel that has not locked on has an empty SNR, the rest of its group stays.
    const std::vector<std::string> searching = GsvSentences(Snapshot(4, false));
    ASSERT_EQ(searching.size(), 1u);
    EXPECT_EQ(Widths(searching[0]), (W{1, 1, 2, 2, 2, 3, 0, 2, 2, 3, 0, 2, 2, 3, 0, 2, 2, 3, 0}));
}

TEST(NmeaLayout, VtgCourseAndSpeedsAreFiveWide) {
    const std::string s = VtgSentence(Snapshot());
    EXPECT_EQ(Widths(s), (W{5, 1, 5, 1, 5, 1, 5, 1})) << s;
    // 359.97 degrees rounds to 000.0, not 360.0.
    EXPECT_EQ(Fields(s)[0], "000.0");
    EXPECT_EQ(Fields(s)[6], "012.3");
    EXPECT_EQ(Fields(s)[4], "006.7");
}

TEST(NmeaLayout, ZdaAndTheReceiverSentences) {
    const EpochSnapshot e = Snapshot();
    EXPECT_EQ(ZdaSentence(e).substr(0, 30), "$GPZDA,010203,08,12,2026,00,00");
    EXPECT_EQ(Widths(PextSentence(e)), (W{1, 2, 2, 3, 2, 2, 2, 2, 3}));
    EXPECT_EQ(PvlmSentence(e).substr(0, 8), "$PVLM,3*");
    const std::vector<std::string> pssst = PssstSentences(e);
    ASSERT_EQ(pssst.size(), 3u);
    EXPECT_EQ(Widths(pssst[0]).size(), 2u + 4 * 6);
    EXPECT_EQ(Fields(pssst[0])[2], "03");
    EXPECT_EQ(Fields(pssst[0])[6], "01200");
    EXPECT_EQ(Fields(pssst[0])[7], "N");
    const std::string psgsa = PsgsaSentence(e);
    const std::vector<std::size_t> widths = Widths(psgsa);
    ASSERT_EQ(widths.size(), 1u + 12 + 3 + 3);
    EXPECT_EQ(Fields(psgsa)[17], "20261208");
    for (const std::string& s : {ZdaSentence(e), PextSentence(e), PvlmSentence(e), psgsa,
                                 GllSentence(e), RmcSentence(e)}) {
        EXPECT_TRUE(ChecksumIsUpperCaseAndRight(s)) << s;
    }
}

TEST(NmeaLayout, RmcCarriesTheHandheldFields) {
    const std::vector<std::string> f = Fields(RmcSentence(Snapshot()));
    ASSERT_EQ(f.size(), 11u);
    EXPECT_EQ(f[0], "010203");
    EXPECT_EQ(f[1], "A");
    EXPECT_EQ(f[6], "006.7");
    EXPECT_EQ(f[8], "081226");
    EXPECT_EQ(Fields(RmcSentence(Snapshot(8, false)))[1], "V");
}

TEST(NativeRecordLayout, ColumnsAsTheDecoderReadsThem) {
    EpochSnapshot e = Snapshot();
    e.latDeg = 35.0 + 40.0 / 60.0 + 52.47 / 3600.0;
    e.lonDeg = -(139.0 + 46.0 / 60.0 + 1.65 / 3600.0);
    const std::string r = NativeRecord(e);
    ASSERT_EQ(r.size(), 148u);
    EXPECT_EQ(r.substr(0, 6), "SM1.04");
    EXPECT_EQ(r.substr(6, 13), "2612082010203");  // Tuesday: day code "2"
    EXPECT_EQ(r.substr(19, 8), "N3540524");
    EXPECT_EQ(r[145], 'H');  // hundredths 7
    EXPECT_EQ(r.substr(27, 9), "W13946016");
    EXPECT_EQ(r[146], 'F');
    EXPECT_EQ(r.substr(36, 11), "00040012000");
    EXPECT_EQ(r[60], 'B');  // PDOP 1.85
    EXPECT_EQ(r[61], '4');
    // PRN 3, 10 degrees up, azimuth 0, used in the fix, level 30 x 25 / 99 = 7.
    EXPECT_EQ(r.substr(63, 5), "CBAFH");
    EXPECT_EQ(r.substr(63 + 5 * 10, 5), "@__AA");  // channels beyond the satellites in view
    EXPECT_EQ(r.substr(143, 2), "1J");             // fix flag, "A" + 9 used
}

TEST(NativeRecordLayout, CodeCharactersAtTheirEdges) {
    EXPECT_EQ(PrnCode(1), 'A');
    EXPECT_EQ(PrnCode(24), 'X');
    EXPECT_EQ(PrnCode(25), 'a');
    EXPECT_EQ(PrnCode(32), 'h');
    EXPECT_EQ(AzimuthCode(0), 'A');
    EXPECT_EQ(AzimuthCode(180), 'S');
    EXPECT_EQ(AzimuthCode(184), 's');  // -176 rounds to -180
    EXPECT_EQ(AzimuthCode(350), 'b');  // -10
    EXPECT_EQ(AzimuthCode(356), 'A');  // -4 rounds to 0
    EXPECT_EQ(ElevationCode(90), 'J');
    EXPECT_EQ(DopCode(0.9), 'A');
    EXPECT_EQ(DopCode(9.99), 'J');
    EXPECT_EQ(DopCode(12.0), 'L');
    EXPECT_EQ(DopCode(99.9), 'P');
    EXPECT_EQ(DopCode(150), 'Q');
    EXPECT_EQ(LevelOfSnr(45), 11);
    EXPECT_EQ(LevelOfSnr(26), 6);
}

TEST(NativeRecordLayout, SecondsRoundingCarriesIntoMinutes) {
    const SecondParts p = ToSecondParts(10.0 + 59.0 / 60.0 + 59.996 / 3600.0, true);
    EXPECT_EQ(p.degrees, 11);
    EXPECT_EQ(p.minutes, 0);
    EXPECT_EQ(p.hundredths, 0);
    const SecondParts tenths = ToSecondParts(-(1.0 + 0.96 / 3600.0), false, 10);
    EXPECT_EQ(tenths.hemisphere, 'W');
    EXPECT_EQ(tenths.hundredths, 100);  // 0.96" to tenths is 1.0"
}

TEST(FourChannelRecordLayout, StrongestFourChannelsAndTheDopText) {
    EpochSnapshot e = Snapshot(6);
    const std::string r = FourChannelRecord(e);
    ASSERT_EQ(r.size(), 87u);
    EXPECT_EQ(r[0], 'N');
    EXPECT_EQ(r.substr(2, 13), "2612082010203");
    EXPECT_EQ(r.substr(40, 4), "0000");  // course 359.97 rounds to 0, four digits
    // Satellites 7, 9, 11, 13 (SNR 32..35) are the strongest; all are used.
    EXPECT_EQ(r.substr(44, 16), "07LE09LE11LE13LE");
    EXPECT_EQ(r.substr(64, 3), "1.9");
    EXPECT_EQ(r.substr(67, 5), "00820");  // level 32 x 25 / 99 = 8, SNR 32
    e.satellites.resize(2);
    EXPECT_EQ(FourChannelRecord(e).substr(52, 8), "00__00__");
}

}  // namespace
}  // namespace orbex::sim
