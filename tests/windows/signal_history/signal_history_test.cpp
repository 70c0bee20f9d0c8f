// The Signal History window fed with decoded "$GPGGA", "$GPGSA", "$GPGSV" and native records,
// checked through its model and the recording drawing interface: one line per satellite with
// its number at the end, used satellites bold, gaps where a satellite was lost, the ten-minute
// span across midnight, and the level codes' own labelled scale.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "decode/decode_line.h"
#include "gui/recording_surface.h"
#include "windows/signal_history/signal_history_window.h"

namespace orbex {
namespace {

std::string WithChecksum(const std::string& body) {
    unsigned sum = 0;
    for (char c : body) {
        sum ^= static_cast<unsigned char>(c);
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

ReceiverState Decoded(const std::string& body) {
    ReceiverState r;
    EXPECT_TRUE(DecodeLine(r, WithChecksum(body))) << body;
    return r;
}

// One epoch at hh:mm:ss: a GGA, a GSA using `used`, and a one-message GSV group of up to four
// satellites (number, C/N0; 0 = in view without C/N0).
void Epoch(CSignalHistoryWnd& window, int h, int m, int s,
           std::vector<std::pair<int, int>> satellites, const std::string& used) {
    char time[40];  // room for any int, so the compiler sees no truncation
    std::snprintf(time, sizeof time, "%02d%02d%02d.00", h, m, s);
    window.OnReceiverRecord(Decoded(std::string("GPGGA,") + time +
                                    ",3540.8742,N,13946.0275,E,1,05,1.5,40.0,M,39.0,M,,"));
    window.OnReceiverRecord(Decoded("GPGSA,A,3," + used + ",2.0,1.5,1.3"));
    std::string gsv = "GPGSV,1,1," + std::to_string(satellites.size());
    for (const auto& [prn, snr] : satellites) {
        gsv += "," + std::to_string(prn) + ",45,120," + (snr > 0 ? std::to_string(snr) : "");
    }
    window.OnReceiverRecord(Decoded(gsv));
}

std::vector<const DrawCall*> LinesIn(const RecordingSurface& surface, const QRect& area) {
    std::vector<const DrawCall*> lines;
    for (const DrawCall& c : surface.calls()) {
        // The grid is grey; the satellites' lines are coloured.
        if (c.op == DrawCall::Op::Line && c.pen.saturation() > 0 && area.contains(c.from)) {
            lines.push_back(&c);
        }
    }
    return lines;
}

const DrawCall* TextCall(const RecordingSurface& surface, const QString& text) {
    for (const DrawCall& c : surface.calls()) {
        if ((c.op == DrawCall::Op::Text || c.op == DrawCall::Op::TextInRect) && c.text == text) {
            return &c;
        }
    }
    return nullptr;
}

TEST(SignalHistoryTest, NmeaLinesPerSatelliteWithNumbersAtTheEndAndUsedOnesBold) {
    CSignalHistoryWnd window(QStringLiteral(""));
    RecordingSurface empty;
    window.Paint(empty);
    ASSERT_NE(TextCall(empty, QStringLiteral("Waiting for $GPGSV or native records")), nullptr);

    for (int s = 0; s < 4; ++s) {
        // Satellite 5 is used; 12 is not; 20 is in view without C/N0 and never drawn.
        Epoch(window, 12, 0, s, {{5, 40 + s}, {12, 30}, {20, 0}}, "05,,,,,,,,,,,");
    }
    const SignalHistory& h = window.history();
    ASSERT_EQ(h.tracks().size(), 2u);
    EXPECT_EQ(h.scale(), SignalScale::DbHz);
    EXPECT_EQ(h.tracks().at(5).samples.size(), 4u);
    EXPECT_EQ(h.tracks().at(5).samples.back().value, 43);
    EXPECT_TRUE(h.tracks().at(5).used);
    EXPECT_FALSE(h.tracks().at(12).used);

    RecordingSurface surface;
    window.Paint(surface);
    ASSERT_NE(TextCall(surface, QStringLiteral("C/N0 (dB-Hz) from $GPGSV, last 10 min")), nullptr);
    const QRect area = window.PlotArea();
    int bold = 0;
    int thin = 0;
    for (const DrawCall* line : LinesIn(surface, area)) {
        (line->width == 3 ? bold : thin) += 1;
    }
    EXPECT_EQ(bold, 3);  // satellite 5: four samples joined
    EXPECT_EQ(thin, 3);
    // The numbers sit just right of each line's newest point, at its height (0..60 dB-Hz).
    const DrawCall* five = TextCall(surface, QStringLiteral("5"));
    ASSERT_NE(five, nullptr);
    EXPECT_EQ(five->from.x(), area.right() + 4);
    EXPECT_EQ(five->from.y(), area.bottom() - 43 * area.height() / 60 - 8);
    ASSERT_NE(TextCall(surface, QStringLiteral("12")), nullptr);
    EXPECT_NE(TextCall(surface, QStringLiteral("-10")), nullptr);
    EXPECT_NE(TextCall(surface, QStringLiteral("60")), nullptr);
}

TEST(SignalHistoryTest, LostSatellitesBreakTheirLineAndOldSamplesLeaveAcrossMidnight) {
    CSignalHistoryWnd window(QStringLiteral(""));
    Epoch(window, 23, 55, 0, {{7, 35}}, "07,,,,,,,,,,,");
    Epoch(window, 23, 55, 1, {{7, 36}}, "07,,,,,,,,,,,");
    // Lost for a minute, then back: two pieces, not one line across the gap.
    Epoch(window, 23, 56, 1, {{7, 38}}, "07,,,,,,,,,,,");
    Epoch(window, 23, 56, 2, {{7, 39}}, "07,,,,,,,,,,,");
    RecordingSurface surface;
    window.Paint(surface);
    EXPECT_EQ(LinesIn(surface, window.PlotArea()).size(), 2u);

    // Past midnight the clock goes on: at 00:05:30 the samples before 23:55:30 are gone.
    Epoch(window, 0, 5, 30, {{7, 40}, {9, 20}}, "07,,,,,,,,,,,");
    const SignalTrack& seven = window.history().tracks().at(7);
    ASSERT_EQ(seven.samples.size(), 3u);
    EXPECT_EQ(seven.samples.back().time - seven.samples.front().time, 569);
    // A satellite whose samples all fall out of the span disappears.
    for (int s = 0; s <= 600; s += 60) {
        Epoch(window, 0, 15 + s / 60, 31, {{9, 20}}, "");
    }
    EXPECT_EQ(window.history().tracks().count(7), 0u);
}

TEST(SignalHistoryTest, NativeLevelCodesGetTheirOwnLabelledScale) {
    CSignalHistoryWnd window(QStringLiteral(""));
    Epoch(window, 12, 0, 0, {{5, 40}}, "05,,,,,,,,,,,");
    ReceiverState native;
    std::snprintf(native.kind, sizeof native.kind, "SM1234");
    native.nativeTime = {2026, 6, 1, '1', 12, 0, 1};
    native.satellites[0] = {};
    native.satellites[0].prnCode = 'C';  // satellite 3
    native.satellites[0].statusCode = 'E';
    native.satellites[0].levelCode = 'A' + 12;
    native.satellites[1].prnCode = 'D';  // satellite 4, unlocked: not drawn
    native.satellites[1].statusCode = 'A';
    native.satellites[1].levelCode = 'A' + 9;
    window.OnReceiverRecord(native);

    const SignalHistory& h = window.history();
    EXPECT_EQ(h.scale(), SignalScale::LevelCode);
    ASSERT_EQ(h.tracks().size(), 1u) << "the dB-Hz samples do not share the level scale";
    EXPECT_EQ(h.tracks().at(3).samples.back().value, 12);
    RecordingSurface surface;
    window.Paint(surface);
    EXPECT_NE(TextCall(surface,
                       QStringLiteral("Level code of the native records (not dB-Hz), last 10 min")),
              nullptr);
    // 0..15 in steps of five: the highest level 12 rounded up.
    EXPECT_NE(TextCall(surface, QStringLiteral("15")), nullptr);
    EXPECT_EQ(TextCall(surface, QStringLiteral("20")), nullptr);
}

}  // namespace
}  // namespace orbex
