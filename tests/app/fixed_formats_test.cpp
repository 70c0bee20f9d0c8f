// The log files keep their fixed format under any locale: the separator's weekday stays English
// and its numbers plain, also while the process's number and time locale is German.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "app/log_file.h"
#include "tests/support/decimal_comma_locale.h"

namespace orbex {
namespace {

TEST(FixedFormatsTest, LogSeparatorIsTheSameBytesUnderADecimalCommaLocale) {
    std::string error;
    ASSERT_TRUE(test::EnsureDecimalCommaLocale(error)) << error;
    const std::time_t tuesday = 1796691723;  // 2026-12-08 01:02:03 UTC
    const std::string inC = LogSeparator(tuesday);
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, test::kDecimalCommaLocale), nullptr);
    const std::string inDecimalComma = LogSeparator(tuesday);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(inDecimalComma, inC);
}

}  // namespace
}  // namespace orbex
