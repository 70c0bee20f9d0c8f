// The position-sample rings and the field conversions and walker underneath the decoders.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "decode/decode_line.h"
#include "decode/decoding_state.h"
#include "decode/field_walker.h"
#include "decode/line_text.h"
#include "decode/text_fields.h"
#include "tests/decode/test_lines.h"

namespace orbex {
namespace {

ReceiverState Position(int latDegrees, char latHemisphere, int lonDegrees, char lonHemisphere) {
    ReceiverState state{};
    state.latDegrees = latDegrees;
    state.latMinutes = 1;
    state.latSeconds = 0.5;
    state.latHemisphere = latHemisphere;
    state.lonDegrees = lonDegrees;
    state.lonHemisphere = lonHemisphere;
    return state;
}

TEST(PositionSamples, RingWrapsAfterThreeHundredSamples) {
    PositionSamples samples;
    EXPECT_EQ(samples.newestLatArcSec(), 0.0) << "no sample yet";
    for (int i = 0; i < kPositionSampleCount; ++i) {
        samples.Add(Position(i % 90, 'N', 0, 'E'));
    }
    EXPECT_EQ(samples.sampleNext(), 300);
    EXPECT_EQ(samples.newestLatArcSec(), 299 % 90 * 3600.0 + 60.5);

    samples.Add(Position(7, 'N', 8, 'E'));  // the 301st overwrites the first
    EXPECT_EQ(samples.sampleNext(), 1);
    EXPECT_EQ(samples.latSampleArcSec()[0], 7 * 3600.0 + 60.5);
    EXPECT_EQ(samples.lonSampleArcSec()[0], 8 * 3600.0);
    EXPECT_EQ(samples.latSampleArcSec()[1], 1 * 3600.0 + 60.5) << "the second sample stays";
    EXPECT_EQ(samples.newestLatArcSec(), 7 * 3600.0 + 60.5);

    samples.Reset();
    EXPECT_EQ(samples.sampleNext(), 0);
    EXPECT_EQ(samples.latSampleArcSec()[0], 0.0);
    EXPECT_EQ(samples.lonSampleArcSec()[299], 0.0);
}

TEST(PositionSamples, SouthAndWestAreNegativeInEitherCase) {
    PositionSamples samples;
    for (const char south : {'S', 's'}) {
        samples.Add(Position(10, south, 20, 'W'));
        EXPECT_EQ(samples.newestLatArcSec(), -(10 * 3600.0 + 60.5));
        EXPECT_EQ(samples.newestLonArcSec(), -(20 * 3600.0));
    }
    samples.Add(Position(10, '_', 20, 'w'));
    EXPECT_EQ(samples.newestLatArcSec(), 10 * 3600.0 + 60.5);
    EXPECT_EQ(samples.newestLonArcSec(), -(20 * 3600.0));
}

TEST(PositionSamples, SharedRingIsClearedByReset) {
    ReceiverState state{};
    ASSERT_TRUE(DecodeLine(state, test::NativeRecord()));
    EXPECT_GT(SharedDecodingState().samples.sampleNext(), 0);
    ResetPositionSamples();
    EXPECT_EQ(SharedDecodingState().samples.sampleNext(), 0);
    EXPECT_EQ(SharedDecodingState().samples.latSampleArcSec()[0], 0.0);
}

TEST(TextFields, DecimalRule) {
    EXPECT_EQ(ParseDecimal("42"), 42);
    EXPECT_EQ(ParseDecimal("  -7x"), -7);
    EXPECT_EQ(ParseDecimal("+08"), 8);
    EXPECT_EQ(ParseDecimal("x1"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("-"), 0);
    EXPECT_EQ(ParseDecimal("1 2"), 1);
    EXPECT_EQ(ParseDecimal("99999999999999"), 2147483647);
    EXPECT_EQ(ParseDecimal("-99999999999999"), -2147483647 - 1);
    // Only the field's own characters count, never what follows it in memory.
    EXPECT_EQ(ParseDecimal(std::string_view("123456", 2)), 12);
}

TEST(TextFields, RealRuleIsIndependentOfTheLocale) {
    EXPECT_DOUBLE_EQ(ParseReal("02.5"), 2.5);
    EXPECT_DOUBLE_EQ(ParseReal(" -12.3,"), -12.3);
    EXPECT_DOUBLE_EQ(ParseReal("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseReal("1e2x"), 100.0);
    EXPECT_EQ(ParseReal("."), 0.0);
    EXPECT_EQ(ParseReal("inf"), 0.0);
    EXPECT_EQ(ParseReal("-nan"), 0.0);
    EXPECT_EQ(ParseReal("1e39"), 0.0) << "beyond a float";
    EXPECT_EQ(ParseReal("1e999"), 0.0);
    EXPECT_DOUBLE_EQ(ParseReal(std::string_view("1.25", 3)), 1.2);
    // A desktop that switched to a locale with a decimal comma must not change the decoding.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_DOUBLE_EQ(ParseReal("02.5"), 2.5);
        std::setlocale(LC_NUMERIC, "C");
    }
    EXPECT_EQ(TruncateToInt32(-12.9), -12);
    EXPECT_EQ(TruncateToInt32(1e300), 2147483647);
    EXPECT_EQ(TruncateToInt32(-1e300), -2147483647 - 1);
}

TEST(FieldWalker, FindsFieldsByTheirCommasAndStopsAtTheChecksum) {
    FieldWalker fields("$X,12,,345,6*,77", 2);
    EXPECT_EQ(fields.fields(), "$X,12,,345,6");
    EXPECT_TRUE(fields.NextPresent());
    EXPECT_EQ(fields.Next(), "12");
    EXPECT_FALSE(fields.NextPresent());
    EXPECT_EQ(fields.Next(), "");
    EXPECT_EQ(fields.Next(), "345");
    EXPECT_EQ(fields.Next(), "6") << "cut short by the \"*\"";
    EXPECT_EQ(fields.Next(), "") << "nothing after the \"*\" is a field";
    EXPECT_FALSE(fields.NextPresent());
}

TEST(FieldWalker, WiderAndNarrowerFieldsShiftNothing) {
    FieldWalker fields("$X,1,234567,,8", 2);
    EXPECT_EQ(fields.Next(), "1");
    EXPECT_EQ(fields.Next(), "234567");
    EXPECT_EQ(fields.Next(), "");
    EXPECT_EQ(fields.Next(), "8");
    EXPECT_EQ(fields.Next(), "");
    FieldWalker start("$X", 10);  // a start column past the end
    EXPECT_EQ(start.Next(), "");
}

TEST(LineText, TerminatorsAreStripped) {
    EXPECT_EQ(StripLineTerminator("$GPGGA\r\n"), "$GPGGA");
    EXPECT_EQ(StripLineTerminator("$GPGGA\n"), "$GPGGA");
    EXPECT_EQ(StripLineTerminator("$GPGGA\r\r\n"), "$GPGGA");
    EXPECT_EQ(StripLineTerminator("$GPGGA\xDA"), "$GPGGA");
    EXPECT_EQ(StripLineTerminator("$GPGGA\r"), "$GPGGA\r");
    EXPECT_EQ(StripLineTerminator("$GPGGA"), "$GPGGA");
    EXPECT_EQ(StripLineTerminator("\xDA\r\n"), "\xDA");
    EXPECT_EQ(StripLineTerminator(""), "");
}

}  // namespace
}  // namespace orbex
