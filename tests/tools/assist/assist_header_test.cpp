// The assistance header's time stamp and check code, with fixed dates.
#include <gtest/gtest.h>

#include "tools/assist/assist_header.h"

namespace orbex {
namespace {

std::time_t Utc(int year, int month, int day, int hour, int minute, int second) {
    std::tm broken{};
    broken.tm_year = year - 1900;
    broken.tm_mon = month - 1;
    broken.tm_mday = day;
    broken.tm_hour = hour;
    broken.tm_min = minute;
    broken.tm_sec = second;
    return timegm(&broken);
}

TEST(GpsTimeTest, WeekIsCountedModulo1024AndChangesOnSunday) {
    // Before the roll-over of 7 April 2019: GPS week 2034 is 1010 in ten bits.
    EXPECT_EQ(GpsTimeOf(Utc(2018, 12, 31, 0, 0, 0)).week10, 1010);
    const GpsTime saturday = GpsTimeOf(Utc(2019, 4, 6, 23, 59, 59));
    EXPECT_EQ(saturday.week10, 1023);
    EXPECT_EQ(saturday.timeOfWeek, 6 * 86400 + 86399);
    const GpsTime sunday = GpsTimeOf(Utc(2019, 4, 7, 0, 0, 0));
    EXPECT_EQ(sunday.week10, 0);
    EXPECT_EQ(sunday.timeOfWeek, 0);
    // Today's weeks: a Saturday still belongs to the week that began on the Sunday before.
    EXPECT_EQ(GpsTimeOf(Utc(2026, 12, 8, 12, 30, 15)).week10, 400);
    EXPECT_EQ(GpsTimeOf(Utc(2026, 12, 8, 12, 30, 15)).timeOfWeek, 2 * 86400 + 45015);
    EXPECT_EQ(GpsTimeOf(Utc(2026, 12, 12, 10, 0, 0)).week10, 400);
    EXPECT_EQ(GpsTimeOf(Utc(2026, 12, 13, 0, 0, 0)).week10, 401);
}

TEST(AssistHeaderTest, CheckCodeIsCrc16Xmodem) {
    EXPECT_EQ(Crc16Xmodem("abc"), 0x9dd6);
    EXPECT_EQ(Crc16Xmodem("123456789"), 0x31c3);
    // Over the bytes the hexadecimal text encodes; other characters count as 0.
    EXPECT_EQ(AssistCheckCode("616263"), 0x9dd6);
    EXPECT_EQ(AssistCheckCode("6162XY"), Crc16Xmodem(std::string("ab\0", 3)));
}

TEST(AssistHeaderTest, StampedHeadersKeepTheirDataAndGetANewStampAndCode) {
    const GpsTime time{400, 2 * 86400 + 45015};  // Tuesday 12:30:15
    // GSM: stamp in 0..8, count character at 27 (7: 8 satellites), old code and CR after 28.
    const std::string gsm = "000000000abcdef0123456789ab7FFFF\r";
    const std::string sent = StampAssistHeader(AssistNetwork::Gsm, gsm, time);
    const std::uint64_t units = (2 * 86400 + 45015) * 25 / 2;
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%09llX",
                  static_cast<unsigned long long>(400ull << 25 | units << 2));
    EXPECT_EQ(sent.substr(0, 9), stamp);
    EXPECT_LT(HexDigit(sent[0]), 8);  // the leading bit stays 0: the week fits its 10 bits
    EXPECT_EQ(sent.substr(9, 19), "ABCDEF0123456789AB7");
    char code[8];
    std::snprintf(code, sizeof code, "%04X", AssistCheckCode(sent.substr(0, 28)));
    EXPECT_EQ(sent.substr(28), std::string(code) + "\r\n");
    EXPECT_EQ(AssistDataLineCount(AssistNetwork::Gsm, sent), 16);

    // W-CDMA: stamp in 24..33 (10 digits), count character at 34, code over 36 characters.
    const std::string wcdma = std::string(24, '1') + "0000000000" + "a" + "2" + "FFFF\r";
    const std::string stamped = StampAssistHeader(AssistNetwork::Wcdma, wcdma, time);
    std::snprintf(stamp, sizeof stamp, "%010llX",
                  static_cast<unsigned long long>(400ull << 30 | (2 * 86400 + 45015) * 1000ull));
    EXPECT_EQ(stamped.size(), 36u + 4 + 2);
    EXPECT_EQ(stamped.substr(24, 10), stamp);
    EXPECT_EQ(AssistDataLineCount(AssistNetwork::Wcdma, stamped), 11);
    EXPECT_EQ(AssistDataLineCount(AssistNetwork::Gsm, std::string(27, '0') + "a"), 22);
}

}  // namespace
}  // namespace orbex
