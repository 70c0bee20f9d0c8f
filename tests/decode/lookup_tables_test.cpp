// The code tables: every text byte for byte, and the codes at and around each boundary.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "decode/lookup_tables.h"

namespace orbex {
namespace {

ReceiverState RecordOfKind(const char* kind, const char* dopCode) {
    ReceiverState record{};
    std::strcpy(record.kind, kind);
    std::strcpy(record.dopCode, dopCode);
    return record;
}

TEST(LookupTables, VersionTextAndDopTextTellFourChannelRecordsApart) {
    EXPECT_EQ(VersionText(RecordOfKind("N", "3.2")), "4ch");
    EXPECT_EQ(VersionText(RecordOfKind("O", "3.2")), "4ch");
    EXPECT_EQ(VersionText(RecordOfKind("SMV104", "Q")), "SMV104");
    // A native record whose kind happens to begin with "N" is still a native record.
    EXPECT_EQ(VersionText(RecordOfKind("NMV104", "Q")), "NMV104");
    EXPECT_EQ(DopText(RecordOfKind("NMV104", "Q")), "100< PDOP   ");

    EXPECT_EQ(DopText(RecordOfKind("N", "3.2")), "3.2");
    EXPECT_EQ(DopText(RecordOfKind("SMV104", "A")), " 0< PDOP< 1 ");
    EXPECT_EQ(DopText(RecordOfKind("SMV104", "J")), " 9< PDOP<10 ");
    EXPECT_EQ(DopText(RecordOfKind("SMV104", "P")), "50< PDOP<100");
    EXPECT_EQ(DopText(RecordOfKind("SMV104", "Q")), "100< PDOP   ");
    EXPECT_EQ(DopText(RecordOfKind("SMV104", "R")), "Un-Known    ");
    EXPECT_EQ(DopText(RecordOfKind("SMV104", "@")), "Un-Known    ");
    EXPECT_EQ(DopText(RecordOfKind("SMV104", "")), "Un-Known    ");
    EXPECT_EQ(DopText(RecordOfKind("SMV104", "\xC1")), "Un-Known    ");
    for (char code = 'A'; code <= 'Q'; ++code) {
        const char dop[2] = {code, '\0'};
        EXPECT_EQ(DopText(RecordOfKind("SMV104", dop)).size(), 12u) << code;
    }
}

TEST(LookupTables, TimeBaseAndWeekdayLabels) {
    EXPECT_STREQ(TimeBaseLabel('0'), "**UTC Time**  Sun");
    EXPECT_STREQ(TimeBaseLabel('6'), "**UTC Time**  Sat");
    EXPECT_STREQ(TimeBaseLabel('A'), "**GPS Time**  Sun");
    EXPECT_STREQ(TimeBaseLabel('D'), "**GPS Time**  Wed");
    EXPECT_STREQ(TimeBaseLabel('G'), "**GPS Time**  Sat");
    EXPECT_STREQ(TimeBaseLabel('a'), "**MANUAL**  Sun");
    EXPECT_STREQ(TimeBaseLabel('g'), "**MANUAL**  Sat");
    for (const char other : {'7', 'H', 'h', '/', '@', '`', '\0', '\xB0'}) {
        EXPECT_STREQ(TimeBaseLabel(other), "------------------") << int(other);
    }
    EXPECT_STREQ(WeekdayLabel('0'), "Sun");
    EXPECT_STREQ(WeekdayLabel('4'), "Thu");
    EXPECT_STREQ(WeekdayLabel('6'), "Sat");
    EXPECT_STREQ(WeekdayLabel('7'), "___");
    EXPECT_STREQ(WeekdayLabel('A'), "___");
    EXPECT_STREQ(WeekdayLabel('\0'), "___");
}

TEST(LookupTables, PositioningModeAndDatum) {
    EXPECT_STREQ(PositioningModeText('3'), "2D");
    EXPECT_STREQ(PositioningModeText('4'), "3D");
    EXPECT_STREQ(PositioningModeText('2'), "Invalid");
    EXPECT_STREQ(PositioningModeText('_'), "Invalid");

    EXPECT_STREQ(DatumName('A'), "WGS-84         ");
    EXPECT_STREQ(DatumName('_'), "WGS-84         ");
    EXPECT_STREQ(DatumName('B'), "JAPAN(Tokyo)   ");
    EXPECT_STREQ(DatumName('D'), "AFRI2(ARC 1950)");
    EXPECT_STREQ(DatumName('F'), "ASIA1(Hong Kong 1963)          ");
    EXPECT_STREQ(DatumName('O'), "EURO3(OSGB 1936)               ");
    EXPECT_STREQ(DatumName('U'), "OCEA1(Australian Geodetic 1984)");
    EXPECT_STREQ(DatumName('W'), "SOAM1(PSA 1956)");
    EXPECT_STREQ(DatumName('Z'), "SOAM4(Corrego Alegre)          ");
    EXPECT_STREQ(DatumName('0'), "un-known       ");
    EXPECT_STREQ(DatumName('a'), "un-known       ");
    // Every name has one of the two column widths.
    for (char code = 'A'; code <= 'Z'; ++code) {
        const std::size_t width = std::strlen(DatumName(code));
        EXPECT_TRUE(width == 15 || width == 31) << code << " " << width;
    }
}

TEST(LookupTables, SatelliteNumber) {
    EXPECT_EQ(SatelliteNumber('@'), 0);
    EXPECT_EQ(SatelliteNumber('A'), 1);
    EXPECT_EQ(SatelliteNumber('X'), 24);
    EXPECT_EQ(SatelliteNumber('a'), 25);
    EXPECT_EQ(SatelliteNumber('h'), 32);
    EXPECT_EQ(SatelliteNumber('i'), 99);  // 105, limited to 99
    EXPECT_EQ(SatelliteNumber('c'), 27);
    EXPECT_EQ(SatelliteNumber('\0'), 0);
    EXPECT_EQ(SatelliteNumber(' '), 0);
    EXPECT_EQ(SatelliteNumber(static_cast<char>(64 + 31)), 95 - 72);  // 4-channel number 31
    EXPECT_EQ(SatelliteNumber('\xFF'), 99);
}

TEST(LookupTables, AngleText) {
    EXPECT_EQ(AngleText('_'), " ___  ");
    EXPECT_EQ(AngleText('A'), "   0  ");
    EXPECT_EQ(AngleText('B'), "  10  ");
    EXPECT_EQ(AngleText('J'), "  90  ");
    EXPECT_EQ(AngleText('S'), " 180  ");
    EXPECT_EQ(AngleText('a'), "   0  ");
    EXPECT_EQ(AngleText('c'), " -20  ");
    EXPECT_EQ(AngleText('s'), "-180  ");
    EXPECT_EQ(AngleText('T'), "");
    EXPECT_EQ(AngleText('`'), "");
    EXPECT_EQ(AngleText('@'), " -10  ");
    EXPECT_EQ(AngleText('\xFF'), "-1580  ");
}

TEST(LookupTables, ChannelStatusAndLevel) {
    EXPECT_STREQ(ChannelStatusName('@'), "Un-Known");
    EXPECT_STREQ(ChannelStatusName('\0'), "Un-Known");
    EXPECT_STREQ(ChannelStatusName('A'), "UNLOCK");
    EXPECT_STREQ(ChannelStatusName('B'), "STBY  ");
    EXPECT_STREQ(ChannelStatusName('C'), "DECODE  ");
    EXPECT_STREQ(ChannelStatusName('D'), "UNLOCK");
    EXPECT_STREQ(ChannelStatusName('E'), "UNLOCK");
    EXPECT_STREQ(ChannelStatusName('F'), "DECODE  ");
    EXPECT_STREQ(ChannelStatusName('G'), "Reserve");
    EXPECT_STREQ(ChannelStatusName('_'), "Reserve");
    EXPECT_STREQ(ChannelStatusName('\x80'), "Reserve");

    EXPECT_EQ(LevelText('A'), " 0");
    EXPECT_EQ(LevelText('@'), " 0");
    EXPECT_EQ(LevelText('\0'), " 0");
    EXPECT_EQ(LevelText('B'), " 1");
    EXPECT_EQ(LevelText('M'), "12");
    EXPECT_EQ(LevelText('Z'), "25");
    EXPECT_EQ(LevelText('\xFF'), "190");
}

}  // namespace
}  // namespace orbex
