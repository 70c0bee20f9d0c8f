// The viewer's own NMEA reading: checksums, fields, the four parsers' rules, the texts.
#include <gtest/gtest.h>

#include "handheld/nmea_fields.h"
#include "handheld/nmea_record.h"
#include "handheld/viewer_texts.h"
#include "tests/handheld/sentence_support.h"

namespace orbexce {
namespace {

using test::Sentence;

TEST(ViewerChecksum, AcceptsEitherCaseAndRefusesBrokenEnds) {
    // "*2C" / "*2c": the same sum written in both cases.
    EXPECT_TRUE(ChecksumValid(Sentence("GPGSA,A,3,,,,,,,,,,,,,2.5,1.2,2.1")));
    EXPECT_TRUE(ChecksumValid(Sentence("GPGSA,A,3,,,,,,,,,,,,,2.5,1.2,2.1", true)));
    std::string wrong = Sentence("GPRMC,120000,A");
    wrong[wrong.find('*') + 2] ^= 1;
    EXPECT_FALSE(ChecksumValid(wrong));
    EXPECT_FALSE(ChecksumValid("$GPRMC,120000,A\r\n"));  // no "*"
    EXPECT_FALSE(ChecksumValid("$GPRMC,120000,A*4"));    // one digit, then the end
    EXPECT_FALSE(ChecksumValid("*00"));
}

TEST(ViewerFields, MissingFieldsAndTheChecksumReadAsEmpty) {
    const SentenceFields f("$GPGSA,A,3*1A");
    EXPECT_EQ(f.Text(1), "$GPGSA");
    EXPECT_EQ(f.Letter(2), 'A');
    EXPECT_EQ(f.Integer(3), 3);
    EXPECT_EQ(f.Integer(4), 0);  // "1A" after "*" is no satellite number
    EXPECT_EQ(f.Letter(99), '\0');
    EXPECT_DOUBLE_EQ(ReadReal(" +12.5xyz"), 12.5);
    EXPECT_DOUBLE_EQ(ReadReal("abc"), 0.0);
    EXPECT_EQ(TruncateToInt(1e300), 2147483647);
}

TEST(ViewerParsers, ShortSentencesLeaveZeros) {
    NmeaRecord record;
    record.fixMode = 3;
    ParseGsa("$GPGSA*00", record);
    EXPECT_EQ(record.fixMode, 0);
    ParseRmc("$GPRMC,1*00", record);
    EXPECT_EQ(record.rmcPosition.latitudeLetter, '\0');
    EXPECT_EQ(record.date, 0);
    ParseGga("$GPGGA,120000,3540.8742,N,13946.0275,E,1,08,01.4,00040.0,M,036.7,M,,*48", record);
    EXPECT_DOUBLE_EQ(record.height, 76.7);
    EXPECT_EQ(record.satellitesUsed, 8);
}

TEST(ViewerParsers, GsvKeepsOnlySatellitesBelow50AndSnrsIn1To59) {
    NmeaRecord record;
    ParseGsv("$GPGSV,3,2,12,07,45,320,60,50,10,20,30,49,05,359,00,12,30,90,4\xB5*00", record);
    EXPECT_EQ(record.gsvTotal, 3);
    EXPECT_EQ(record.gsvNumber, 2);
    EXPECT_TRUE(record.satellites[7].inView);
    EXPECT_EQ(record.satellites[7].snr, 0);  // 60 is out of range
    EXPECT_EQ(record.satellites[7].azimuth, 320);
    EXPECT_TRUE(record.satellites[49].inView);
    EXPECT_EQ(record.satellites[12].snr, 40);  // the top-bit byte read as "0"
    int inView = 0;
    for (const SatelliteView& s : record.satellites) {
        inView += s.inView ? 1 : 0;
    }
    EXPECT_EQ(inView, 3);  // satellite 50 recorded against nothing

    ParseGsa("$GPGSA,A,3,07,50,12,,,,,,,,,,1.0,1.0,1.0*00", record);
    EXPECT_TRUE(record.satellites[7].used);
    ParseGsa("$GPGSA,A,3,12,,,,,,,,,,,,1.0,1.0,1.0*00", record);
    EXPECT_FALSE(record.satellites[7].used);  // each GSA replaces the set
    EXPECT_TRUE(record.satellites[12].used);
}

TEST(ViewerTexts, PositionsTimesAndDates) {
    EXPECT_EQ(LatitudeText(3540.8742), QString::fromUtf8(" 35°40'52.45"));
    EXPECT_EQ(LongitudeText(13946.0275), QString::fromUtf8("139°46'1.65"));
    // 23:59:59 one hour east of Greenwich: the next day, carried into the next month and year.
    const LocalClock wrapped = LocalTimeOf(235959.00, HourOffset(1530.0, 'E'));
    EXPECT_EQ(ClockText(wrapped), "00:59:59");
    EXPECT_EQ(DateText(311226, wrapped.dayAdjustment), "2027/01/01");
    EXPECT_EQ(DateText(280224, wrapped.dayAdjustment), "2024/02/29");
    // West of Greenwich the hours go back, across midnight into the day before.
    const LocalClock west = LocalTimeOf(30000.0, HourOffset(7400.0, 'W'));
    EXPECT_EQ(ClockText(west), "23:00:00");
    EXPECT_EQ(DateText(10326, west.dayAdjustment), "2026/02/28");
    EXPECT_EQ(HourOffset(7400.0, '\0'), 0);
    // A garbled longitude moves the clock by 12 hours at most, either way.
    EXPECT_EQ(HourOffset(-99999999999.0, 'E'), -12);
    EXPECT_EQ(HourOffset(-99999999999.0, 'W'), 12);
    EXPECT_EQ(HourOffset(99999999999.0, 'E'), 12);
    EXPECT_EQ(ClockText(LocalTimeOf(120000.0, HourOffset(-99999999999.0, 'E'))), "00:00:00");
}

}  // namespace
}  // namespace orbexce
