// The code tables: every text byte for byte, and the codes at and around each boundary.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "decode/lookup_tables.h"
#include "tests/support/table_rows.h"

namespace orbex {
namespace {

using test::ExpectRows;

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
    ExpectRows<char, std::string>(TimeBaseLabel, {{'0', "**UTC Time**  Sun"},
                                                  {'6', "**UTC Time**  Sat"},
                                                  {'A', "**GPS Time**  Sun"},
                                                  {'D', "**GPS Time**  Wed"},
                                                  {'G', "**GPS Time**  Sat"},
                                                  {'a', "**MANUAL**  Sun"},
                                                  {'g', "**MANUAL**  Sat"}});
    for (const char other : {'7', 'H', 'h', '/', '@', '`', '\0', '\xB0'}) {
        EXPECT_STREQ(TimeBaseLabel(other), "------------------") << int(other);
    }
    ExpectRows<char, std::string>(
        WeekdayLabel,
        {{'0', "Sun"}, {'4', "Thu"}, {'6', "Sat"}, {'7', "___"}, {'A', "___"}, {'\0', "___"}});
}

TEST(LookupTables, PositioningModeAndDatum) {
    ExpectRows<char, std::string>(PositioningModeText,
                                  {{'3', "2D"}, {'4', "3D"}, {'2', "Invalid"}, {'_', "Invalid"}});

    ExpectRows<char, std::string>(DatumName, {{'A', "WGS-84         "},
                                              {'_', "WGS-84         "},
                                              {'B', "JAPAN(Tokyo)   "},
                                              {'D', "AFRI2(ARC 1950)"},
                                              {'F', "ASIA1(Hong Kong 1963)          "},
                                              {'O', "EURO3(OSGB 1936)               "},
                                              {'U', "OCEA1(Australian Geodetic 1984)"},
                                              {'W', "SOAM1(PSA 1956)"},
                                              {'Z', "SOAM4(Corrego Alegre)          "},
                                              {'0', "un-known       "},
                                              {'a', "un-known       "}});
    // Every name has one of the two column widths.
    for (char code = 'A'; code <= 'Z'; ++code) {
        const std::size_t width = std::strlen(DatumName(code));
        EXPECT_TRUE(width == 15 || width == 31) << code << " " << width;
    }
}

TEST(LookupTables, SatelliteNumber) {
    ExpectRows<char, int>(SatelliteNumber, {{'@', 0},
                                            {'A', 1},
                                            {'X', 24},
                                            {'a', 25},
                                            {'h', 32},
                                            {'i', 99},  // 105, limited to 99
                                            {'c', 27},
                                            {'\0', 0},
                                            {' ', 0},
                                            {static_cast<char>(64 + 31), 95 - 72},  // 4-channel 31
                                            {'\xFF', 99}});
}

TEST(LookupTables, AngleText) {
    ExpectRows<char, std::string>(AngleText, {{'_', " ___  "},
                                              {'A', "   0  "},
                                              {'B', "  10  "},
                                              {'J', "  90  "},
                                              {'S', " 180  "},
                                              {'a', "   0  "},
                                              {'c', " -20  "},
                                              {'s', "-180  "},
                                              {'T', ""},
                                              {'`', ""},
                                              {'@', " -10  "},
                                              {'\xFF', "-1580  "}});
}

TEST(LookupTables, ChannelStatusAndLevel) {
    ExpectRows<char, std::string>(ChannelStatusName, {{'@', "Un-Known"},
                                                      {'\0', "Un-Known"},
                                                      {'A', "UNLOCK"},
                                                      {'B', "STBY  "},
                                                      {'C', "DECODE  "},
                                                      {'D', "UNLOCK"},
                                                      {'E', "UNLOCK"},
                                                      {'F', "DECODE  "},
                                                      {'G', "Reserve"},
                                                      {'_', "Reserve"},
                                                      {'\x80', "Reserve"}});

    ExpectRows<char, std::string>(LevelText, {{'A', " 0"},
                                              {'@', " 0"},
                                              {'\0', " 0"},
                                              {'B', " 1"},
                                              {'M', "12"},
                                              {'Z', "25"},
                                              {'\xFF', "190"}});
}

}  // namespace
}  // namespace orbex
