// The line decoder's own state (the position-sample rings and the minutes flag, one set per
// decoder), and the field conversions and walker underneath the decoders.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <thread>

#include "decode/decode_line.h"
#include "decode/error_beep.h"
#include "decode/field_walker.h"
#include "decode/line_decoder.h"
#include "decode/line_text.h"
#include "decode/text_fields.h"
#include "tests/decode/test_lines.h"
#include "tests/support/table_rows.h"

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

TEST(LineDecoder, EachDecoderKeepsItsOwnSamplesFlagAndBeepSetting) {
    LineDecoder native;
    LineDecoder nmea;
    ReceiverState state{};
    ASSERT_TRUE(native.Decode(state, test::NativeRecord()));
    state = {};
    ASSERT_TRUE(nmea.Decode(
        state, test::Sentence("$GPGGA,123519,1000.1234,S,02000.5678,W,1,08,0.9,5.0,M,,M,,")));
    EXPECT_EQ(native.samples().sampleNext(), 1);
    EXPECT_EQ(nmea.samples().sampleNext(), 1);
    EXPECT_GT(native.samples().newestLatArcSec(), 0);
    EXPECT_LT(nmea.samples().newestLatArcSec(), 0);
    EXPECT_EQ(nmea.ggaFourDigitMinutes(), 1);
    EXPECT_EQ(native.ggaFourDigitMinutes(), 0);

    // The resets act on their own decoder only. A restart keeps the rings but no sample is
    // newest until the next one; a reset clears them.
    nmea.samples().Restart();
    EXPECT_EQ(nmea.samples().sampleNext(), 0);
    EXPECT_EQ(nmea.samples().newestLatArcSec(), 0.0);
    EXPECT_LT(nmea.samples().latSampleArcSec()[0], 0);
    EXPECT_EQ(native.samples().sampleNext(), 1);
    native.samples().Reset();
    EXPECT_EQ(native.samples().latSampleArcSec()[0], 0.0);

    const long beeps = ErrorBeepCount();
    std::string south = test::NativeRecord();
    south[19] = 'S';  // the latitude hemisphere
    native.SetLatSBeep(true);
    ASSERT_TRUE(nmea.Decode(state, south));
    EXPECT_EQ(ErrorBeepCount(), beeps) << "the other decoder's setting is off";
    ASSERT_TRUE(native.Decode(state, south));
    EXPECT_EQ(ErrorBeepCount(), beeps + 1);
}

// Two streams decoded at once, as two command-line sessions or two benchmarks would: each
// decoder sees only its own lines (and the thread sanitizer sees no shared state).
TEST(LineDecoder, DecodersOnTwoThreadsShareNothing) {
    const std::string lines[] = {
        test::Sentence("$GPGGA,123519,3540.1234,N,13945.6789,E,1,08,0.9,5.0,M,,M,,"),
        test::NativeRecord(),
    };
    LineDecoder decoders[2];
    auto decodeMany = [](LineDecoder& decoder, const std::string& line, int count) {
        for (int i = 0; i < count; ++i) {
            ReceiverState state{};
            decoder.Decode(state, line);
        }
    };
    std::thread other(decodeMany, std::ref(decoders[1]), std::cref(lines[1]), 450);
    decodeMany(decoders[0], lines[0], 1000);
    other.join();
    EXPECT_EQ(decoders[0].samples().sampleNext(), 1000 % kPositionSampleCount);
    EXPECT_EQ(decoders[1].samples().sampleNext(), 450 % kPositionSampleCount);
    EXPECT_EQ(decoders[0].ggaFourDigitMinutes(), 1);
    EXPECT_EQ(decoders[1].ggaFourDigitMinutes(), 0);
    EXPECT_NEAR(decoders[1].samples().newestLatArcSec(), 35 * 3600 + 40 * 60 + 12.34, 1e-9);
}

TEST(TextFields, DecimalRule) {
    test::ExpectRows<std::string_view, int>(
        ParseDecimal, {{"42", 42},
                       {"  -7x", -7},
                       {"+08", 8},
                       {"x1", 0},
                       {"", 0},
                       {"-", 0},
                       {"1 2", 1},
                       {"99999999999999", 2147483647},
                       {"-99999999999999", -2147483647 - 1},
                       // Only the field's own characters count, never what follows it in memory.
                       {std::string_view("123456", 2), 12}});
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
