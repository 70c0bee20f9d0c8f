// Fixes for the exports and statistics: GGA positions checked before they count, the GNSS
// talkers read as their GPS twins, and dates carried over every midnight without running
// backwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "decode/decode_line.h"
#include "decode/line_decoder.h"
#include "decode/position_fix.h"
#include "tests/decode/test_lines.h"

namespace orbex {
namespace {

using test::Sentence;

class CheckedFixTest : public ::testing::Test {
  protected:
    // Decodes a sentence built with a valid checksum through the test's own decoder.
    ReceiverState Decoded(const std::string& body) {
        ReceiverState record{};
        EXPECT_TRUE(decoder_.Decode(record, Sentence(body))) << body;
        return record;
    }
    std::optional<PositionFix> Take(const std::string& body) {
        return collector_.Take(Decoded(body));
    }
    LineDecoder decoder_;
    FixCollector collector_;
};

TEST_F(CheckedFixTest, PositionsThatAreNotWhatTheyClaimGiveNoFixAndSayWhy) {
    struct Case {
        const char* body;
        GgaFixProblem problem;
        const char* why;
    };
    const Case cases[] = {
        {"$GPGGA,123519,3540.1234,X,13945.6789,E,1,08,0.9,45.4,M,,M,,",
         GgaFixProblem::LatitudeHemisphere, "latitude hemisphere is not N or S"},
        {"$GPGGA,123519,3540.1234,N,13945.6789,,1,08,0.9,45.4,M,,M,,",
         GgaFixProblem::LongitudeHemisphere, "longitude hemisphere is not E or W"},
        {"$GPGGA,123519,3560.0000,N,13945.6789,E,1,08,0.9,45.4,M,,M,,",
         GgaFixProblem::LatitudeMinutes, "latitude minutes of 60 or more"},
        {"$GPGGA,123519,3540.1234,N,13975.6789,E,1,08,0.9,45.4,M,,M,,",
         GgaFixProblem::LongitudeMinutes, "longitude minutes of 60 or more"},
        {"$GPGGA,123519,9100.0000,N,13945.6789,E,1,08,0.9,45.4,M,,M,,",
         GgaFixProblem::LatitudeRange, "latitude over 90 degrees"},
        {"$GPGGA,123519,3540.1234,N,18000.0001,E,1,08,0.9,45.4,M,,M,,",
         GgaFixProblem::LongitudeRange, "longitude over 180 degrees"},
        {"$GPGGA,123519,35A0.1234,N,13945.6789,E,1,08,0.9,45.4,M,,M,,",
         GgaFixProblem::LatitudeNotANumber, "latitude is not a number"},
        {"$GPGGA,123519,3540.1234,N,|13945.|6789,E,1,08,0.9,45.4,M,,M,,",
         GgaFixProblem::LongitudeNotANumber, "longitude is not a number"},
        {"$GPGGA,123519,3540.1234,N,13945.6789,E,1,08,0.9,45.4m,M,,M,,",
         GgaFixProblem::AltitudeNotANumber, "altitude is not a number"},
    };
    for (const Case& c : cases) {
        const ReceiverState record = Decoded(c.body);
        EXPECT_TRUE(record.checked.claimsFix) << c.body;
        EXPECT_EQ(record.checked.problem, c.problem) << c.body;
        EXPECT_STREQ(GgaFixProblemText(record.checked.problem), c.why);
        EXPECT_FALSE(collector_.Take(record)) << c.body;
    }
    // The windows' fields and the Position Plot's samples are taken as before.
    EXPECT_EQ(Decoded(cases[0].body).latDegrees, 35);
    EXPECT_EQ(decoder_.samples().sampleNext(), 10);
}

TEST_F(CheckedFixTest, GoodPositionsKeepEveryDecimalAndTheirSigns) {
    const auto fix = Take("$GPGGA,123519.50,4404.126998,s,12118.844143,w,2,15,0.4,,M,,M,,");
    ASSERT_TRUE(fix);
    EXPECT_NEAR(fix->position.latDegrees, -(44 + 4.126998 / 60), 1e-12);
    EXPECT_NEAR(fix->position.lonDegrees, -(121 + 18.844143 / 60), 1e-12);
    EXPECT_TRUE(std::isnan(fix->position.altitude)) << "no altitude field, no altitude";
    EXPECT_TRUE(fix->time.hasTime);
    EXPECT_EQ(fix->time.second, 19);
    // Exactly 90 and 180 degrees are positions; quality 0 and empty fields are no fix.
    EXPECT_TRUE(Take("$GPGGA,123519,9000.000,N,18000.000,W,1,08,0.9,1.0,M,,M,,"));
    EXPECT_FALSE(Take("$GPGGA,123519,3540.1234,N,13945.6789,E,0,00,,,M,,M,,"));
    EXPECT_FALSE(Take("$GPGGA,123519,,,,,1,00,,,M,,M,,"));
}

TEST_F(CheckedFixTest, GnssTalkersReadAsTheirGpsTwinsWithTheirOwnTag) {
    const ReceiverState gps = Decoded("$GPGGA,123519,3540.1234,N,13945.6789,E,1,08,00.9,00545.4,M");
    const ReceiverState gpsVtg = Decoded("$GPVTG,123.4,T,123.4,M,012.3,N,022.8,K");
    const ReceiverState gpsZda = Decoded("$GPZDA,123519,08,12,2026,00,00");
    int samples = 1;
    for (const char* talker : {"GN", "GL", "GA", "GB", "GQ"}) {
        const std::string t = std::string("$") + talker;
        const ReceiverState gga =
            Decoded(t + "GGA,123519,3540.1234,N,13945.6789,E,1,08,00.9,00545.4,M");
        EXPECT_EQ(std::string(gga.kind), t + "GGA");
        EXPECT_EQ(gga.latMinuteFraction, gps.latMinuteFraction);
        EXPECT_EQ(gga.lonSeconds, gps.lonSeconds);
        EXPECT_EQ(gga.altitude, gps.altitude);
        EXPECT_EQ(decoder_.samples().sampleNext(), ++samples) << "a sample each";
        EXPECT_TRUE(collector_.Take(gga)) << "a fix each";
        const ReceiverState vtg = Decoded(t + "VTG,123.4,T,123.4,M,012.3,N,022.8,K");
        EXPECT_EQ(std::string(vtg.kind), t + "VTG");
        EXPECT_EQ(vtg.course, gpsVtg.course);
        EXPECT_EQ(vtg.vtgSpeedKmh, gpsVtg.vtgSpeedKmh);
        const ReceiverState zda = Decoded(t + "ZDA,123519,08,12,2026,00,00");
        EXPECT_EQ(std::string(zda.kind), t + "ZDA");
        EXPECT_EQ(zda.altTime.year, gpsZda.altTime.year);
        // Their satellite and other sentences are recognised, and carry nothing.
        for (const char* type : {"GSA", "GSV", "RMC", "GNS", "GLL"}) {
            ReceiverState other{};
            EXPECT_TRUE(DecodeLine(other, t + type + ",1,2,3*00\r\n")) << t << type;
            EXPECT_EQ(other.kind[0], '\0');
        }
    }
    // GPS's own RMC and unknown talkers stay unknown lines.
    ReceiverState unknown{};
    EXPECT_FALSE(
        DecodeLine(unknown, Sentence("$GPRMC,123519,A,3540.1234,N,13945.6789,E,,,081226,,")));
    EXPECT_FALSE(
        DecodeLine(unknown, Sentence("$GSGGA,123519,3540.1234,N,13945.6789,E,1,08,0.9,5,M")));
    // A checked twin with a wrong checksum is refused like its GPS twin.
    EXPECT_FALSE(DecodeLine(unknown, "$GNGGA,123519,3540.1234,N,13945.6789,E,1*00\r\n"));
}

TEST_F(CheckedFixTest, DatesCarryOverEveryMidnightAndNeverRunBackwards) {
    auto dateOf = [](const std::optional<PositionFix>& fix) {
        return fix && fix->time.HasDate()
                   ? fix->time.year * 10000 + fix->time.month * 100 + fix->time.day
                   : 0;
    };
    const std::string gga = ",3540.1234,N,13945.6789,E,1,08,0.9,45.4,M,,M,,";
    EXPECT_FALSE(Take("$GPZDA,235958,31,12,2026,00,00"));
    EXPECT_EQ(dateOf(Take("$GPGGA,235959" + gga)), 20261231);
    EXPECT_EQ(dateOf(Take("$GPGGA,000000" + gga)), 20270101);
    EXPECT_EQ(dateOf(Take("$GPGGA,120000" + gga)), 20270101);
    EXPECT_EQ(dateOf(Take("$GPGGA,235959" + gga)), 20270101);
    EXPECT_EQ(dateOf(Take("$GPGGA,000001" + gga)), 20270102) << "the second midnight too";
    // A ZDA going back, or naming a day that does not exist, changes nothing.
    EXPECT_FALSE(Take("$GPZDA,000002,01,01,2027,00,00"));
    EXPECT_FALSE(Take("$GPZDA,000002,30,02,2027,00,00"));
    EXPECT_EQ(dateOf(Take("$GPGGA,000003" + gga)), 20270102);
    // A time of day out of range leaves the fix without a time.
    const auto late = Take("$GPGGA,126100" + gga);
    ASSERT_TRUE(late);
    EXPECT_FALSE(late->time.hasTime);
    EXPECT_FALSE(late->time.HasDate());
    EXPECT_TRUE(Decoded("$GPZDA,123519,29,02,2028,00,00").checked.timeValid);
    EXPECT_FALSE(Decoded("$GPZDA,123519,29,02,2027,00,00").checked.timeValid);
    EXPECT_FALSE(Decoded("$GPZDA,126119,28,02,2027,00,00").checked.timeValid);
}

}  // namespace
}  // namespace orbex
