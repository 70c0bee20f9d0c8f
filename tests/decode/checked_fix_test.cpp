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

// A GGA with a good fix, with its field `index` (0 is "$GPGGA") replaced by `value`.
std::string GgaWithField(std::size_t index, const std::string& value) {
    std::vector<std::string> fields = {"$GPGGA", "123519", "3540.1234", "N",   "13945.6789",
                                       "E",      "1",      "08",        "0.9", "45.4",
                                       "M",      "",       "M",         "",    ""};
    fields.at(index) = value;
    std::string body = fields[0];
    for (std::size_t i = 1; i < fields.size(); ++i) {
        body += "," + fields[i];
    }
    return body;
}

TEST_F(CheckedFixTest, PositionsThatAreNotWhatTheyClaimGiveNoFixAndSayWhy) {
    struct Case {
        std::size_t field;
        const char* value;
        GgaFixProblem problem;
        const char* why;
    };
    const Case cases[] = {
        {3, "X", GgaFixProblem::LatitudeHemisphere, "latitude hemisphere is not N or S"},
        {5, "", GgaFixProblem::LongitudeHemisphere, "longitude hemisphere is not E or W"},
        {2, "3560.0000", GgaFixProblem::LatitudeMinutes, "latitude minutes of 60 or more"},
        {4, "13975.6789", GgaFixProblem::LongitudeMinutes, "longitude minutes of 60 or more"},
        {2, "9100.0000", GgaFixProblem::LatitudeRange, "latitude over 90 degrees"},
        {4, "18000.0001", GgaFixProblem::LongitudeRange, "longitude over 180 degrees"},
        {2, "35A0.1234", GgaFixProblem::LatitudeNotANumber, "latitude is not a number"},
        {4, "|13945.|6789", GgaFixProblem::LongitudeNotANumber, "longitude is not a number"},
        {9, "45.4m", GgaFixProblem::AltitudeNotANumber, "altitude is not a number"},
    };
    for (const Case& c : cases) {
        const std::string body = GgaWithField(c.field, c.value);
        const ReceiverState record = Decoded(body);
        EXPECT_TRUE(record.checked.claimsFix) << body;
        EXPECT_EQ(record.checked.problem, c.problem) << body;
        EXPECT_STREQ(GgaFixProblemText(record.checked.problem), c.why);
        EXPECT_FALSE(collector_.Take(record)) << body;
    }
    // The windows' fields and the Position Plot's samples are taken as before.
    EXPECT_EQ(Decoded(GgaWithField(cases[0].field, cases[0].value)).latDegrees, 35);
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
