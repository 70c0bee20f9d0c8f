// The native and 4-channel records: their columns, their recognition by length, the beep and
// the position sample they add or do not add.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "decode/decode_line.h"
#include "decode/error_beep.h"
#include "decode/line_decoder.h"
#include "decode/lookup_tables.h"
#include "platform/system_error.h"
#include "tests/decode/test_lines.h"

namespace orbex {
namespace {

using test::FourChannelRecord;
using test::NativeRecord;
using test::Put;

class FixedRecordTest : public ::testing::Test {
  protected:
    // Decodes as the programs do, through the test's own decoder.
    bool Decode(ReceiverState& record, const std::string& line) {
        return decoder_.Decode(record, line);
    }
    LineDecoder decoder_;
    ReceiverState state{};
};

TEST_F(FixedRecordTest, NativeRecordFillsEveryColumn) {
    const std::string line = NativeRecord();
    ASSERT_EQ(line.size(), 150u);
    ASSERT_TRUE(Decode(state, line));

    EXPECT_STREQ(state.kind, "SMV104");
    EXPECT_EQ(state.nativeTime.year, 26);
    EXPECT_EQ(state.nativeTime.month, 8);
    EXPECT_EQ(state.nativeTime.day, 15);
    EXPECT_EQ(state.nativeTime.dayCode, '3');
    EXPECT_EQ(state.nativeTime.hour, 12);
    EXPECT_EQ(state.nativeTime.minute, 34);
    EXPECT_EQ(state.nativeTime.second, 56);
    EXPECT_EQ(state.latHemisphere, 'N');
    EXPECT_EQ(state.latDegrees, 35);
    EXPECT_EQ(state.latMinutes, 40);
    // Tenths "123" and column 145 "E" (4 hundredths) give 12.34 seconds.
    EXPECT_NEAR(state.latSeconds, 12.34, 1e-9);
    EXPECT_EQ(state.lonHemisphere, 'E');
    EXPECT_EQ(state.lonDegrees, 139);
    EXPECT_EQ(state.lonMinutes, 45);
    EXPECT_NEAR(state.lonSeconds, 67.85, 1e-9);  // "678" and "F"
    EXPECT_EQ(state.altitudeMetres, 45);
    EXPECT_EQ(state.altitude, 45.0f);
    EXPECT_EQ(state.speedKmhWhole, 12);
    EXPECT_EQ(state.course, 270);
    EXPECT_EQ(state.fixTime.second, 55);
    EXPECT_EQ(state.fixTime.dayCode, '3');
    EXPECT_STREQ(state.dopCode, "C");
    EXPECT_EQ(state.fixMode, '4');
    EXPECT_EQ(state.datumCode, 'A');
    for (int k = 0; k < kChannelCount; ++k) {
        EXPECT_EQ(state.satellites[k].prnCode, 'A' + k);
        EXPECT_EQ(state.satellites[k].elevationCode, 'J');
        EXPECT_EQ(state.satellites[k].azimuthCode, 'c');
        EXPECT_EQ(state.satellites[k].statusCode, 'C');
        EXPECT_EQ(state.satellites[k].levelCode, 'B' + k);
    }
    EXPECT_EQ(state.nativeFlag, '1');
    EXPECT_EQ(state.nativeLetterValue, 2);
    EXPECT_STREQ(state.nativeTailText, "EF");
    EXPECT_EQ(state.nativeLastChar, 'Z');
    EXPECT_EQ(state.altTime.hour, 0);
    EXPECT_EQ(state.gsvInView, 0);
}

TEST_F(FixedRecordTest, NativeRecordDigitsThatDoNotParseGiveZero) {
    std::string line = NativeRecord();
    Put(line, 20, "x5");     // latitude degrees: no digits before the "x"
    Put(line, 36, " -012");  // altitude: blank and sign allowed
    Put(line, 44, "2x7");    // course: stops at the first non-digit
    ASSERT_TRUE(Decode(state, line));
    EXPECT_EQ(state.latDegrees, 0);
    EXPECT_EQ(state.altitudeMetres, -12);
    EXPECT_EQ(state.altitude, -12.0f);
    EXPECT_EQ(state.course, 2);
}

TEST_F(FixedRecordTest, NativeRecordIsKnownByItsLengthWhateverItsTerminator) {
    const std::string body = NativeRecord().substr(0, kNativeRecordLength);
    for (const char* terminator : {"\r\n", "\n", "\xDA", "\r\r\n", ""}) {
        ReceiverState record{};
        EXPECT_TRUE(DecodeLine(record, body + terminator))
            << "terminator size " << std::strlen(terminator);
        EXPECT_STREQ(record.kind, "SMV104");
        EXPECT_EQ(record.nativeLastChar, 'Z');
    }
    // One character more or less is no native record (and no sentence).
    ReceiverState record{};
    EXPECT_FALSE(DecodeLine(record, body + "X\r\n"));
    EXPECT_FALSE(DecodeLine(record, body.substr(1) + "\r\n"));
    EXPECT_EQ(SystemError(), kErrorInvalidBlock);
}

TEST_F(FixedRecordTest, OnlyNativeRecordsBeginningSmAddASample) {
    ASSERT_TRUE(Decode(state, NativeRecord()));
    EXPECT_EQ(decoder_.samples().sampleNext(), 1);
    EXPECT_NEAR(decoder_.samples().newestLatArcSec(), 35 * 3600 + 40 * 60 + 12.34, 1e-9);
    EXPECT_NEAR(decoder_.samples().newestLonArcSec(), 139 * 3600 + 45 * 60 + 67.85, 1e-9);

    std::string other = NativeRecord();
    Put(other, 0, "XM");
    ReceiverState record{};
    ASSERT_TRUE(Decode(record, other));
    EXPECT_STREQ(record.kind, "XMV104");
    EXPECT_EQ(decoder_.samples().sampleNext(), 1);
}

TEST_F(FixedRecordTest, SouthernLatitudeBeepsOncePerRecordWhenTheSettingIsOn) {
    int beeps = 0;
    SetErrorBeepFunction([&beeps] { ++beeps; });
    std::string south = NativeRecord();
    Put(south, 19, "S");

    ReceiverState record{};
    ASSERT_TRUE(Decode(record, south));
    EXPECT_EQ(beeps, 0) << "setting off";

    decoder_.SetLatSBeep(true);
    const long countBefore = ErrorBeepCount();
    ASSERT_TRUE(Decode(record, south));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(ErrorBeepCount(), countBefore + 1);
    ASSERT_TRUE(Decode(record, NativeRecord()));
    EXPECT_EQ(beeps, 1) << "northern latitude";
    ASSERT_TRUE(Decode(record, FourChannelRecord()));
    EXPECT_EQ(beeps, 1) << "4-channel records never beep";

    SetErrorBeepFunction({});
    ASSERT_TRUE(Decode(record, south));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(ErrorBeepCount(), countBefore + 2) << "the default beep still counts";
}

TEST_F(FixedRecordTest, DecodersCalledDirectlyOnShortLinesReadNothingPastTheEnd) {
    // Exact-size heap copies: reading one byte too far is an address-sanitizer report.
    const std::string native = NativeRecord();
    for (std::size_t length :
         {std::size_t{0}, std::size_t{20}, std::size_t{62}, std::size_t{145}}) {
        auto bytes = std::make_unique<char[]>(length);
        std::memcpy(bytes.get(), native.data(), length);
        ReceiverState record{};
        DecodeNativeRecord(record, std::string_view(bytes.get(), length));
        if (length == 145) {
            EXPECT_EQ(record.nativeLetterValue, 2);
            EXPECT_EQ(record.nativeTailText[0], '\0');
            EXPECT_NEAR(record.latSeconds, 12.3 - 0.65, 1e-9) << "missing letter reads as NUL";
        }
    }
    ReceiverState record{};
    DecodeFourChannelRecord(record, std::string_view(FourChannelRecord().data(), 50));
    EXPECT_EQ(record.satellites[1].prnCode, 64 + 12);
    EXPECT_EQ(record.satellites[2].prnCode, 64) << "number past the end reads as 0";
    EXPECT_EQ(record.dopCode[0], '\0');
}

TEST_F(FixedRecordTest, FourChannelSatellitesAndLevelsReadBackAsInTheNativeRecord) {
    // Satellites 24 to 32 name themselves through the same lookup as a native record's, and
    // signal values outside 0..6199 stay at the ends of the level codes instead of wrapping.
    const int numbers[][4] = {{24, 25, 26, 27}, {28, 29, 30, 32}};
    for (const auto& group : numbers) {
        std::string line = FourChannelRecord();
        for (int k = 0; k < 4; ++k) {
            char number[3];
            std::snprintf(number, sizeof number, "%02d", group[k]);
            Put(line, 44 + 4 * static_cast<std::size_t>(k), number);
        }
        Put(line, 67, "99999-05000620000600");
        ASSERT_TRUE(Decode(state, line));
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(SatelliteNumber(state.satellites[k].prnCode), group[k]);
        }
        EXPECT_EQ(state.satellites[0].levelCode, '~');
        EXPECT_EQ(state.satellites[1].levelCode, 'A');
        EXPECT_EQ(state.satellites[2].levelCode, '~');
        EXPECT_EQ(state.satellites[3].levelCode, 'A' + 6);
    }
}

TEST_F(FixedRecordTest, FourChannelRecordFillsItsColumnsAndDefaults) {
    const std::string line = FourChannelRecord();
    ASSERT_EQ(line.size(), 89u);
    ASSERT_TRUE(Decode(state, line));

    EXPECT_STREQ(state.kind, "N");
    EXPECT_EQ(state.altTime.year, 26);
    EXPECT_EQ(state.altTime.month, 8);
    EXPECT_EQ(state.altTime.day, 15);
    EXPECT_EQ(state.altTime.dayCode, '3');
    EXPECT_EQ(state.altTime.hour, 12);
    EXPECT_EQ(state.altTime.second, 56);
    EXPECT_EQ(state.nativeTime.hour, 0);
    EXPECT_NEAR(state.latSeconds, 12.3, 1e-9);
    EXPECT_NEAR(state.lonSeconds, 67.8, 1e-9);
    EXPECT_EQ(state.lonDegrees, 139);
    EXPECT_EQ(state.altitudeMetres, 45);
    EXPECT_EQ(state.speedKmhWhole, 12);
    EXPECT_EQ(state.course, 270);
    EXPECT_STREQ(state.dopCode, "3.2");
    EXPECT_EQ(state.fixMode, '_');
    EXPECT_EQ(state.datumCode, '_');

    const char prn[] = {64 + 5, 64 + 12, 64 + 23, 'g'};  // 31 is stored as the native code
    const char status[] = {'C', 'B', 'A', 'D'};
    const char level[] = {'A' + 12, 'A' + 8, 'A' + 0, 'A' + 2};  // 01234, 00800, 00050, 00200
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(state.satellites[k].prnCode, prn[k]) << k;
        EXPECT_EQ(state.satellites[k].elevationCode, 'A');
        EXPECT_EQ(state.satellites[k].azimuthCode, 'A');
        EXPECT_EQ(state.satellites[k].statusCode, status[k]) << k;
        EXPECT_EQ(state.satellites[k].levelCode, level[k]) << k;
    }
    for (int k = 4; k < 8; ++k) {
        EXPECT_EQ(state.satellites[k].prnCode, '@');
        EXPECT_EQ(state.satellites[k].statusCode, '_');
        EXPECT_EQ(state.satellites[k].levelCode, 'A');
    }
    for (int k = 8; k < kChannelCount; ++k) {
        EXPECT_EQ(state.satellites[k].prnCode, 0);
        EXPECT_EQ(state.satellites[k].levelCode, 0);
    }
    EXPECT_EQ(state.nativeFlag, '0');
    EXPECT_EQ(state.nativeLetterValue, 0);
    EXPECT_STREQ(state.nativeTailText, "__");
    EXPECT_EQ(state.nativeLastChar, '_');
    EXPECT_EQ(state.altFixTime.hour, 0);
    EXPECT_EQ(decoder_.samples().sampleNext(), 0) << "4-channel adds no sample";
}

TEST_F(FixedRecordTest, FourChannelStatusTextAndMarker) {
    struct Case {
        const char* text;
        char marker;
        char expected;
    };
    const Case cases[] = {
        {"__", '_', 'A'}, {"L_", 'x', 'B'}, {"LE", '_', 'C'}, {"LE", 'x', 'F'},
        {"H_", '_', 'D'}, {"HE", 'x', 'D'}, {"XE", '_', 0},   {"L ", '_', 0},
    };
    for (const Case& c : cases) {
        std::string line = FourChannelRecord();
        Put(line, 46, c.text);
        Put(line, 60, std::string(1, c.marker));
        ReceiverState record{};
        ASSERT_TRUE(Decode(record, line));
        EXPECT_EQ(record.satellites[0].statusCode, c.expected) << c.text << " " << c.marker;
    }
}

TEST_F(FixedRecordTest, FourChannelNeedsItsLengthAndFirstCharacter) {
    std::string line = FourChannelRecord();
    line[0] = 'O';
    ASSERT_TRUE(Decode(state, line));
    EXPECT_STREQ(state.kind, "O");

    line[0] = 'M';
    ReceiverState record{};
    SetSystemError(kErrorSuccess);
    EXPECT_FALSE(Decode(record, line));
    EXPECT_EQ(SystemError(), kErrorInvalidBlock);
    EXPECT_EQ(record.kind[0], '\0');

    line = FourChannelRecord();
    line.insert(10, "0");
    EXPECT_FALSE(Decode(record, line)) << "90 bytes";
}

}  // namespace
}  // namespace orbex
