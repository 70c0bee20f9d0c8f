// The sentence decoders: the checksum rule, the fixed-width column walk with empty, shifted
// and missing fields, and each tag's fields.
#include <gtest/gtest.h>

#include "decode/decode_line.h"
#include "decode/line_decoder.h"
#include "platform/system_error.h"
#include "tests/decode/test_lines.h"

namespace orbex {
namespace {

using test::Sentence;

class SentenceTest : public ::testing::Test {
  protected:
    // Decodes as the programs do, through the test's own decoder.
    bool Decode(ReceiverState& state, const std::string& line) {
        return decoder_.Decode(state, line);
    }
    // Decodes a sentence built with a valid checksum.
    ReceiverState Decoded(std::string_view body) {
        ReceiverState record{};
        EXPECT_TRUE(Decode(record, Sentence(body))) << body;
        return record;
    }

    LineDecoder decoder_;
};

TEST_F(SentenceTest, ChecksumRule) {
    ReceiverState record{};
    EXPECT_TRUE(Decode(record, "$GPZDA,123519,08,12,2026,00,00*48\r\n"));
    SetSystemError(kErrorSuccess);
    const std::string refused[] = {
        "$GPZDA,123519,08,12,2026,00,00*49\r\n",  // wrong sum
        "$GPZDA,123519,08,12,2026,00,00\r\n",     // no "*"
        "$GPZDA,123519,08,12,2026,00,00*4\r\n",   // one digit, then the terminator
        "$GPZDA,123519,08,12,2026,00,00*4",       // one digit, then the end
        "$GPZDA,123519,08,12,2026,00,00*",        // nothing after the "*"
        "$PSGSA,*7a\r\n",                         // lower-case digits
    };
    for (const std::string& line : refused) {
        ReceiverState refusedRecord{};
        EXPECT_FALSE(Decode(refusedRecord, line)) << line;
        EXPECT_EQ(SystemError(), kErrorInvalidBlock);
        EXPECT_EQ(refusedRecord.kind[0], '\0') << "nothing is filled from a refused sentence";
    }
    ReceiverState upper{};
    EXPECT_TRUE(Decode(upper, "$PSGSA,*7A\r\n"));
    // The sum covers everything after "$" up to the first "*"; what follows the two digits
    // does not matter.
    EXPECT_TRUE(Decode(upper, "$GPZDA,123519,08,12,2026,00,00*48 trailing\r\n"));
}

TEST_F(SentenceTest, GllIsAcceptedWithoutAnyCheckAndYieldsAnEmptyRecord) {
    ReceiverState record{};
    ASSERT_TRUE(Decode(record, "$GPGLL,3854.5087,N,07726.4523,W,125106,V,S*00\r\n"));
    EXPECT_EQ(record.kind[0], '\0');
    EXPECT_EQ(record.latDegrees, 0);
    ASSERT_TRUE(Decode(record, "$GPGLL"));
    EXPECT_EQ(decoder_.samples().sampleNext(), 0);
}

TEST_F(SentenceTest, UnknownTagsFailAndTagsCompareExactly) {
    ReceiverState record{};
    for (const std::string& line :
         {Sentence("$GPRMC,125106,V"), Sentence("$GPGG,1"), std::string("$"), std::string(),
          Sentence("$PEX,1"), Sentence("gPGGA,1")}) {
        SetSystemError(kErrorSuccess);
        EXPECT_FALSE(Decode(record, line)) << line;
        EXPECT_EQ(SystemError(), kErrorInvalidBlock);
    }
    // Five-character tags are recorded with five characters; anything may follow the tag.
    EXPECT_STREQ(Decoded("$PEXTX,1").kind, "$PEXT");
    EXPECT_STREQ(Decoded("$PVLM,3").kind, "$PVLM");
    EXPECT_STREQ(Decoded("$GPGGAXYZ").kind, "$GPGGA");
}

TEST_F(SentenceTest, GgaInTheReceiversLayout) {
    const ReceiverState r =
        Decoded("$GPGGA,123519,3540.1234,S,13945.6789,W,1,08,00.9,00545.4,M,046.9,M,123");
    EXPECT_STREQ(r.kind, "$GPGGA");
    EXPECT_EQ(r.altTime.hour, 12);
    EXPECT_EQ(r.altTime.minute, 35);
    EXPECT_EQ(r.altTime.second, 19);
    EXPECT_EQ(r.latDegrees, 35);
    EXPECT_EQ(r.latMinutes, 40);
    EXPECT_EQ(r.latMinuteFraction, 1234);
    EXPECT_NEAR(r.latSeconds, 7.404, 1e-9);
    EXPECT_EQ(r.latHemisphere, 'S');
    EXPECT_EQ(r.lonDegrees, 139);
    EXPECT_EQ(r.lonMinutes, 45);
    EXPECT_EQ(r.lonMinuteFraction, 6789);
    EXPECT_NEAR(r.lonSeconds, 6789 * 0.006, 1e-9);
    EXPECT_EQ(r.lonHemisphere, 'W');
    EXPECT_EQ(r.fixQuality, '1');
    EXPECT_EQ(r.satellitesUsed, 8);
    EXPECT_FLOAT_EQ(r.hdop, 0.9f);
    EXPECT_FLOAT_EQ(r.altitude, 545.4f);
    EXPECT_EQ(r.altitudeMetres, 545);
    EXPECT_EQ(r.dgpsAge, 123);
    EXPECT_EQ(decoder_.ggaFourDigitMinutes(), 1);

    // The sample: south and west are negative.
    const PositionSamples& samples = decoder_.samples();
    EXPECT_EQ(samples.sampleNext(), 1);
    EXPECT_NEAR(samples.newestLatArcSec(), -(35 * 3600 + 40 * 60 + 7.404), 1e-9);
    EXPECT_NEAR(samples.newestLonArcSec(), -(139 * 3600 + 45 * 60 + 6789 * 0.006), 1e-9);
}

TEST_F(SentenceTest, GgaThreeMinuteDecimalsAndTheFlag) {
    const ReceiverState r =
        Decoded("$GPGGA,123519,3540.123,N,13945.678,E,1,08,00.9,00545.4,M,046.9,M,007");
    EXPECT_EQ(r.latMinuteFraction, 123);
    EXPECT_NEAR(r.latSeconds, 7.38, 1e-9);
    EXPECT_EQ(r.lonMinuteFraction, 678);
    EXPECT_NEAR(r.lonSeconds, 678 * 0.06, 1e-9);
    EXPECT_EQ(r.latHemisphere, 'N');
    EXPECT_EQ(r.dgpsAge, 7);
    EXPECT_EQ(decoder_.ggaFourDigitMinutes(), 0);
    // Three latitude decimals with four longitude decimals: the flag follows the latitude.
    Decoded("$GPGGA,123519,3540.123,N,13945.6789,E,1,08");
    EXPECT_EQ(decoder_.ggaFourDigitMinutes(), 0);
    // An empty latitude leaves the flag as it was.
    Decoded("$GPGGA,123519,3540.1234,N");
    Decoded("$GPGGA,123519,,N,13945.678,E");
    EXPECT_EQ(decoder_.ggaFourDigitMinutes(), 1);
}

TEST_F(SentenceTest, GgaEmptyFieldsKeepTheLaterOnesInPlace) {
    const ReceiverState r = Decoded("$GPGGA,,3540.1234,N,,,0,,,-00012.3,M,,M,");
    EXPECT_EQ(r.altTime.hour, 0);
    EXPECT_EQ(r.latMinutes, 40);
    EXPECT_EQ(r.latHemisphere, 'N');
    EXPECT_EQ(r.lonDegrees, 0);
    EXPECT_EQ(r.lonHemisphere, 0);
    EXPECT_EQ(r.fixQuality, '0');
    EXPECT_EQ(r.satellitesUsed, 0);
    EXPECT_EQ(r.hdop, 0.0f);
    EXPECT_FLOAT_EQ(r.altitude, -12.3f);  // eight characters when it begins with "-"
    EXPECT_EQ(r.altitudeMetres, -12);
    EXPECT_EQ(r.dgpsAge, 0);
}

TEST_F(SentenceTest, GgaFieldsOfOtherWidthsReadAsWhatTheySay) {
    // Other makers' layouts: a three-character HDOP, a one-digit satellite count, a time with
    // decimals, five decimals of minutes, and altitudes of any width.
    const ReceiverState r =
        Decoded("$GPGGA,125106.25,3854.50875,N,7726.4523,W,8,7,2.0,268.8,M,-33.9,M,,");
    EXPECT_EQ(r.altTime.hour, 12);
    EXPECT_EQ(r.altTime.second, 6);
    EXPECT_EQ(r.latDegrees, 38);
    EXPECT_EQ(r.latMinutes, 54);
    EXPECT_EQ(r.latMinuteFraction, 5087);  // the windows keep the first four decimals
    EXPECT_NEAR(r.checked.latDegrees, 38 + 54.50875 / 60, 1e-12);  // the exports all five
    EXPECT_EQ(r.lonDegrees, 77);
    EXPECT_EQ(r.lonMinutes, 26);
    EXPECT_NEAR(r.checked.lonDegrees, -(77 + 26.4523 / 60), 1e-12);
    EXPECT_EQ(r.fixQuality, '8');
    EXPECT_EQ(r.satellitesUsed, 7);
    EXPECT_FLOAT_EQ(r.hdop, 2.0f);
    EXPECT_FLOAT_EQ(r.altitude, 268.8f);
    EXPECT_TRUE(r.checked.claimsFix);
    EXPECT_EQ(r.checked.problem, GgaFixProblem::None);
    // Fewer than four decimals are the three-decimal layout: "12" is 120 thousandths.
    const ReceiverState s = Decoded("$GPGGA,123519,3540.12,N,13945.6,E,1,08,00.9,-12.3,M");
    EXPECT_EQ(s.latMinuteFraction, 120);
    EXPECT_DOUBLE_EQ(s.latSeconds, 120 * 0.06);
    EXPECT_EQ(s.lonMinuteFraction, 600);
    EXPECT_EQ(decoder_.ggaFourDigitMinutes(), 0);
    EXPECT_FLOAT_EQ(s.altitude, -12.3f);
    EXPECT_EQ(s.altitudeMetres, -12);
}

TEST_F(SentenceTest, TruncatedGgaDecodesWhatIsThereButAddsNoSample) {
    const ReceiverState r = Decoded("$GPGGA,1235");
    EXPECT_EQ(r.altTime.hour, 12);
    EXPECT_EQ(r.altTime.minute, 35);
    EXPECT_EQ(r.altTime.second, 0);
    EXPECT_EQ(r.latDegrees, 0);
    const ReceiverState s = Decoded("$GPGGA,123519,3540.12");
    EXPECT_EQ(s.latMinutes, 40);
    EXPECT_EQ(s.latMinuteFraction, 120);
    EXPECT_STREQ(Decoded("$GPGGA").kind, "$GPGGA");
    EXPECT_EQ(decoder_.samples().sampleNext(), 0);
}

TEST_F(SentenceTest, OnlyAGgaWithAFixAndAPositionAddsASample) {
    // Before its first fix a receiver sends empty fields or quality "0" every second.
    Decoded("$GPGGA,123519,,,,,0,00,,,M,,M,,*6B\r\n");
    Decoded("$GPGGA,123519,3540.1234,N,13945.6789,E,0,00,99.9,00045.0,M,,M,,*64\r\n");
    Decoded("$GPGGA,123519,,N,13945.6789,E,1,08,0.9,00045.0,M,,M,,*75\r\n");
    EXPECT_EQ(decoder_.samples().sampleNext(), 0);
    Decoded("$GPGGA,123519,3540.1234,N,13945.6789,E,1,08,0.9,00045.0,M,,M,,*5D\r\n");
    EXPECT_EQ(decoder_.samples().sampleNext(), 1);
}

TEST_F(SentenceTest, ExponentsAndOverflowsNeverGiveUndefinedValues) {
    // A real that does not fit a float, and one whose whole part does not fit 32 bits.
    const ReceiverState r = Decoded("$GPGGA,123519,3540.1234,N,13945.6789,E,1,08,9e99,9e30");
    EXPECT_EQ(r.hdop, 0.0f);
    EXPECT_FLOAT_EQ(r.altitude, 9e30f);
    EXPECT_EQ(r.altitudeMetres, 2147483647);
    const ReceiverState n = Decoded("$GPGSA,A,3,,,,,,,,,,,,,+inf,-nan,-1e3");
    EXPECT_EQ(n.pdop, 0.0f);
    EXPECT_EQ(n.hdop, 0.0f);
    EXPECT_EQ(n.vdop, -1000.0f);
}

TEST_F(SentenceTest, GsaFixModeSatellitesAndDops) {
    const ReceiverState r = Decoded("$GPGSA,A,3,04,05,,09,12,24,,,,,,32,02.5,01.3,02.1");
    EXPECT_STREQ(r.kind, "$GPGSA");
    EXPECT_EQ(r.fixMode, '3');
    const int prns[12] = {4, 5, 0, 9, 12, 24, 0, 0, 0, 0, 0, 32};
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(r.satellites[k].gsaPrn, prns[k]) << k;
    }
    EXPECT_FLOAT_EQ(r.pdop, 2.5f);
    EXPECT_FLOAT_EQ(r.hdop, 1.3f);
    EXPECT_FLOAT_EQ(r.vdop, 2.1f);
    EXPECT_EQ(r.latDegrees, 0);
    EXPECT_EQ(r.altTime.hour, 0);
    EXPECT_EQ(decoder_.samples().sampleNext(), 0);
}

TEST_F(SentenceTest, GsvSlotsAndCount) {
    const ReceiverState second =
        Decoded("$GPGSV,3,2,10,13,38,213,45,16,27,068,43,19,72,076,50,23,09,182,37");
    EXPECT_EQ(second.gsvTotal, 3);
    EXPECT_EQ(second.gsvNumber, 2);
    EXPECT_EQ(second.gsvInView, 10);
    EXPECT_EQ(second.gsvCount, 0);
    EXPECT_EQ(second.satellites[3].gsvPrn, 0);
    EXPECT_EQ(second.satellites[4].gsvPrn, 13);
    EXPECT_EQ(second.satellites[4].gsvElevation, 38);
    EXPECT_EQ(second.satellites[4].gsvAzimuth, 213);
    EXPECT_EQ(second.satellites[4].gsvSnr, 45);
    EXPECT_EQ(second.satellites[7].gsvPrn, 23);
    EXPECT_EQ(second.satellites[7].gsvSnr, 37);
    EXPECT_EQ(second.satellites[8].gsvPrn, 0);

    // The "*" ends the fields: slots 10 and 11 are empty, not read from the checksum.
    const ReceiverState last = Decoded("$GPGSV,3,3,10,24,06,166,35,28,09,271,36");
    EXPECT_EQ(last.gsvCount, 10);
    EXPECT_EQ(last.satellites[9].gsvPrn, 28);
    EXPECT_EQ(last.satellites[9].gsvSnr, 36);
    EXPECT_EQ(last.satellites[10].gsvPrn, 0);

    // A satellite without SNR and an empty slot in the middle of the last message.
    const ReceiverState gaps = Decoded("$GPGSV,1,1,03,05,10,020,,,,,,07,11,021,30");
    EXPECT_EQ(gaps.gsvCount, 3);
    EXPECT_EQ(gaps.satellites[0].gsvSnr, 0);
    EXPECT_EQ(gaps.satellites[1].gsvPrn, 0);
    EXPECT_EQ(gaps.satellites[2].gsvPrn, 7);
    EXPECT_EQ(gaps.satellites[2].gsvSnr, 30);
}

TEST_F(SentenceTest, GsvMessageNumbersOutsideTheGroup) {
    const ReceiverState zero = Decoded("$GPGSV,3,0,10,24,06,166,35");
    EXPECT_EQ(zero.satellites[0].gsvPrn, 24);
    const ReceiverState fourth = Decoded("$GPGSV,4,4,13,24,06,166,35");
    EXPECT_EQ(fourth.satellites[12].gsvPrn, 24);
    EXPECT_EQ(fourth.gsvCount, 13);
    const ReceiverState ninth = Decoded("$GPGSV,9,9,10,24,06,166,35");
    EXPECT_EQ(ninth.gsvNumber, 9);
    for (const SatelliteSlot& slot : ninth.satellites) {
        EXPECT_EQ(slot.gsvPrn, 0);
    }
    EXPECT_EQ(ninth.gsvCount, 0);
}

TEST_F(SentenceTest, VtgCourseAndSpeeds) {
    const ReceiverState r = Decoded("$GPVTG,123.4,T,120.1,M,012.3,N,022.8,K");
    EXPECT_STREQ(r.kind, "$GPVTG");
    EXPECT_EQ(r.course, 123);
    EXPECT_EQ(r.courseTenthsChar, '4');
    EXPECT_FLOAT_EQ(r.vtgSpeedKnots, 12.3f);
    EXPECT_FLOAT_EQ(r.vtgSpeedKmh, 22.8f);

    const ReceiverState empty = Decoded("$GPVTG,,T,,M,,N,,K");
    EXPECT_EQ(empty.course, 0);
    EXPECT_EQ(empty.courseTenthsChar, 0);
    EXPECT_EQ(empty.vtgSpeedKnots, 0.0f);
    EXPECT_EQ(empty.vtgSpeedKmh, 0.0f);

    const ReceiverState bare = Decoded("$GPVTG,");
    EXPECT_EQ(bare.courseTenthsChar, 0);
}

TEST_F(SentenceTest, ZdaDateAndTime) {
    const ReceiverState r = Decoded("$GPZDA,235959,31,12,2026,00,00");
    EXPECT_STREQ(r.kind, "$GPZDA");
    EXPECT_EQ(r.altTime.hour, 23);
    EXPECT_EQ(r.altTime.minute, 59);
    EXPECT_EQ(r.altTime.second, 59);
    EXPECT_EQ(r.altTime.day, 31);
    EXPECT_EQ(r.altTime.month, 12);
    EXPECT_EQ(r.altTime.year, 2026);
}

TEST_F(SentenceTest, PextFlagDigits) {
    const ReceiverState r = Decoded("$PEXT,1,02,03,004,05,06,07,08,9A0");
    const int expected[12] = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0};
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(r.pextFlags[k], expected[k]) << k;
    }
    const ReceiverState f = Decoded("$PEXT,,,,,,,,,Fx");  // empty fields, a non-digit
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(f.pextFlags[k], k < 4 ? 1 : 0) << k;
    }
    const ReceiverState none = Decoded("$PEXT,1,02,03,004,05,06,07,08,");
    for (const std::uint8_t flag : none.pextFlags) {
        EXPECT_EQ(flag, 0);
    }
}

TEST_F(SentenceTest, PvlmOneDigit) {
    EXPECT_EQ(Decoded("$PVLM,7").pvlmValue, 7);
    EXPECT_EQ(Decoded("$PVLM,,7").pvlmValue, 0);
    EXPECT_EQ(Decoded("$PVLM,x").pvlmValue, 0);
}

TEST_F(SentenceTest, PssstEntries) {
    const ReceiverState r =
        Decoded("$PSSST,2,2,05,A,1,2,00123,N,12,B,3,4,00456,P,,,,,,,31,C,5,6,99999,N");
    EXPECT_STREQ(r.kind, "$PSSST");
    EXPECT_EQ(r.gsvTotal, 2);
    EXPECT_EQ(r.gsvNumber, 2);
    const ExtSatelliteSlot& first = r.extSatellites[4];
    EXPECT_EQ(first.prn, 5);
    EXPECT_EQ(first.code, 'A');
    EXPECT_EQ(first.digitA, 1);
    EXPECT_EQ(first.digitB, 2);
    EXPECT_EQ(first.value, -123);
    EXPECT_EQ(r.extSatellites[5].value, 456);
    const ExtSatelliteSlot& empty = r.extSatellites[6];
    EXPECT_EQ(empty.prn, 0);
    EXPECT_EQ(empty.code, static_cast<char>(0xFF));
    EXPECT_EQ(empty.digitA, 0xFF);
    EXPECT_EQ(empty.digitB, 0xFF);
    EXPECT_EQ(empty.value, 0);
    EXPECT_EQ(r.extSatellites[7].value, -99999);
    EXPECT_EQ(r.extSatellites[3].code, 0) << "entries outside the message stay zero";
    EXPECT_EQ(r.extSatellites[8].digitA, 0);
}

TEST_F(SentenceTest, PsgsaAllFields) {
    const ReceiverState r =
        Decoded("$PSGSA,A,04,05,09,12,24,,,,,,,07,02.5,01.3,02.1,-01234,08122026,X");
    EXPECT_STREQ(r.kind, "$PSGSA");
    EXPECT_EQ(r.psgsaMode, 'A');
    EXPECT_EQ(r.satellites[0].psgsaPrn, 4);
    EXPECT_EQ(r.satellites[4].psgsaPrn, 24);
    EXPECT_EQ(r.satellites[5].psgsaPrn, 0);
    EXPECT_EQ(r.satellites[11].psgsaPrn, 7);
    EXPECT_EQ(r.satellites[0].gsaPrn, 0);
    EXPECT_FLOAT_EQ(r.psgsaPdop, 2.5f);
    EXPECT_FLOAT_EQ(r.psgsaHdop, 1.3f);
    EXPECT_FLOAT_EQ(r.psgsaVdop, 2.1f);
    EXPECT_EQ(r.psgsaValue, -1234);
    EXPECT_EQ(r.extDatePresent, 1);
    EXPECT_EQ(r.extDate[0], 8);
    EXPECT_EQ(r.extDate[1], 12);
    EXPECT_EQ(r.extDate[2], 20);
    EXPECT_EQ(r.extDate[3], 26);
    EXPECT_STREQ(r.psgsaTail, "X");

    const ReceiverState e = Decoded("$PSGSA,A,,,,,,,,,,,,,,,,12345,,");
    EXPECT_EQ(e.psgsaValue, 12345);
    EXPECT_EQ(e.extDatePresent, 0);
    EXPECT_STREQ(e.psgsaTail, "");
}

}  // namespace
}  // namespace orbex
