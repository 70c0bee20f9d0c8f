// The position plot window fed with records as the main window hands them in, checked through
// the recording drawing interface: when it starts drawing, where the points fall, re-centring,
// the point cap, zoom, both text layouts and the low-memory path.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "decode/line_decoder.h"
#include "gui/recording_surface.h"
#include "platform/message_box.h"
#include "tests/support/drawn_calls.h"
#include "tests/support/qt_printers.h"
#include "tests/support/test_files.h"
#include "tests/windows/position_plot/plot_records_support.h"
#include "windows/position_plot/position_plot_window.h"

namespace orbex {
namespace {

using test::Ellipses;
using test::GgaWithoutFix;
using test::RecordOfKind;
using test::Zda;

// A position near 35 41' N, 139 45' E in arc-seconds.
constexpr double kLat = 128467.38;
constexpr double kLon = 503140.68;
// At the initial scale of 500 pixels per arc-second, 0.1 arc-seconds are 50 pixels.
constexpr double kFiftyPixels = 0.1;

class PositionPlotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = SetMessageBoxFunction([this](const MessageRequest& request) {
            messages_.push_back(request.text);
            return MessageResult::Ok;
        });
        wnd_ = std::make_unique<CPositionPlotWnd>(decoder_);
    }
    void TearDown() override {
        wnd_.reset();
        SetMessageBoxFunction(previous_);
    }

    // The first "$GPZDA", the "$GPGGA" that fixes the centre at (kLat, kLon), and the second
    // "$GPZDA" (until which every fix would move the centre).
    void StartNmeaPlot() {
        wnd_->OnReceiverRecord(Zda(12, 0, 0));
        wnd_->OnReceiverRecord(Gga(kLat, kLon));
        wnd_->OnReceiverRecord(Zda(12, 0, 1));
    }

    RecordingSurface Painted() {
        RecordingSurface surface;
        wnd_->Paint(surface);
        return surface;
    }

    // The records of the support header, their samples added to the window's decoder.
    ReceiverState Gga(double latArcSec, double lonArcSec, float altitude = 45.5f) {
        return test::Gga(decoder_.samples(), latArcSec, lonArcSec, altitude);
    }
    ReceiverState Native(const char* kind, double latArcSec, double lonArcSec) {
        return test::Native(decoder_.samples(), kind, latArcSec, lonArcSec);
    }

    LineDecoder decoder_;
    std::unique_ptr<CPositionPlotWnd> wnd_;
    std::vector<std::string> messages_;
    MessageBoxFunction previous_;
};

// ---- when drawing starts ----

TEST_F(PositionPlotTest, OpensAtItsClientSizeWithTheGridAlone) {
    EXPECT_EQ(wnd_->size(), QSize(650, 440));
    EXPECT_EQ(wnd_->windowTitle(), QStringLiteral("Position Plot"));
    const RecordingSurface s = Painted();
    int vertical = 0, horizontal = 0;
    for (const DrawCall& c : s.calls()) {
        if (c.op == DrawCall::Op::Line) {
            EXPECT_EQ(c.pen, QColor(0, 0, 255));
            (c.from.x() == c.to.x() ? vertical : horizontal)++;
        }
    }
    EXPECT_EQ(vertical, 64);    // x = 20 .. 1280
    EXPECT_EQ(horizontal, 43);  // y = 20 .. 860
    EXPECT_TRUE(s.Texts().isEmpty());
}

TEST_F(PositionPlotTest, OpeningAPlotStartsTheSamplesOfItsOwnDecoderOver) {
    LineDecoder other;
    Gga(kLat, kLon);
    test::Gga(other.samples(), kLat, kLon);
    test::Gga(other.samples(), kLat, kLon);
    const CPositionPlotWnd second(other);
    EXPECT_EQ(other.samples().sampleNext(), 0);
    EXPECT_EQ(decoder_.samples().sampleNext(), 1) << "another decoder's samples stay";
}

TEST_F(PositionPlotTest, AFixBeforeTheFirstTimeFixesTheCentreAndTheTimeStartsTheDrawing) {
    wnd_->OnReceiverRecord(Gga(kLat, kLon));
    EXPECT_FALSE(wnd_->plot().Drawing());
    EXPECT_TRUE(Painted().Texts().isEmpty());
    wnd_->OnReceiverRecord(Zda(12, 0, 0));
    EXPECT_TRUE(wnd_->plot().Drawing());
    EXPECT_NE(Painted().FindText(QStringLiteral("Center: [LAT] N  35  41.123' ")), nullptr);
}

TEST_F(PositionPlotTest, AStreamThatStartsWithoutAFixDrawsNothingUntilItsFirstFix) {
    for (int second = 0; second < 3; ++second) {
        wnd_->OnReceiverRecord(Zda(12, 0, second));
        wnd_->OnReceiverRecord(GgaWithoutFix());
    }
    EXPECT_FALSE(wnd_->plot().Drawing());
    EXPECT_TRUE(Painted().Texts().isEmpty());
    // The first fix, however late, becomes the centre and the plot starts.
    wnd_->OnReceiverRecord(Gga(kLat, kLon));
    wnd_->OnReceiverRecord(Zda(12, 0, 3));
    EXPECT_TRUE(wnd_->plot().Drawing());
    // A lost fix keeps the last position instead of showing or re-centring on (0, 0).
    wnd_->OnReceiverRecord(GgaWithoutFix());
    const RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("Center: [LAT] N  35  41.123' ")), nullptr);
    EXPECT_NE(s.FindText(QStringLiteral("[LON] E 139  45.678' ")), nullptr);
    const auto red = Ellipses(s, QColor(255, 0, 0));
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0]->rect, QRect(323, 218, 4, 4));
}

// ---- points ----

TEST_F(PositionPlotTest, FixesAreDrawnAsRedAndGreenCirclesEastRightNorthUp) {
    StartNmeaPlot();
    wnd_->OnReceiverRecord(Gga(kLat + kFiftyPixels, kLon + kFiftyPixels));
    const RecordingSurface s = Painted();
    const auto red = Ellipses(s, QColor(255, 0, 0));
    const auto green = Ellipses(s, QColor(0, 255, 0));
    ASSERT_EQ(red.size(), 2u);
    ASSERT_EQ(green.size(), 2u);
    // The centre at (325, 220), the second fix 50 pixels right and up.
    EXPECT_EQ(red[0]->rect, QRect(323, 218, 4, 4));
    EXPECT_EQ(green[0]->rect, QRect(321, 216, 8, 8));
    EXPECT_EQ(red[1]->rect, QRect(373, 168, 4, 4));
    EXPECT_EQ(green[1]->rect, QRect(371, 166, 8, 8));
    EXPECT_FALSE(red[0]->brush.isValid());
    // Each fix draws its inner circle before its outer one.
    EXPECT_LT(red[1], green[1]);
    EXPECT_GT(red[1], green[0]);
}

TEST_F(PositionPlotTest, TwoIdenticalFixesAddOnePoint) {
    StartNmeaPlot();
    wnd_->OnReceiverRecord(Gga(kLat + kFiftyPixels, kLon));
    wnd_->OnReceiverRecord(Gga(kLat + kFiftyPixels, kLon));
    // Other sentences in between see the same newest sample and add nothing either.
    wnd_->OnReceiverRecord(RecordOfKind("$GPGSV"));
    EXPECT_EQ(wnd_->plot().points().size(), 2u);
}

TEST_F(PositionPlotTest, The301stDistinctFixDropsTheOldest) {
    StartNmeaPlot();
    for (int i = 1; i <= 301; ++i) {
        wnd_->OnReceiverRecord(Gga(kLat + i * 0.0001, kLon));
    }
    const PlotPoints& points = wnd_->plot().points();
    ASSERT_EQ(points.size(), 300u);
    EXPECT_DOUBLE_EQ(points[0].lat, LatitudeOf(Gga(kLat + 2 * 0.0001, kLon)).ArcSeconds());
    EXPECT_EQ(Ellipses(Painted(), QColor(255, 0, 0)).size(), 300u);
}

TEST_F(PositionPlotTest, AFixNearAnEdgeRecentresOnItAndEarlierPointsStayWhereTheyFall) {
    StartNmeaPlot();
    wnd_->OnReceiverRecord(Gga(kLat, kLon + kFiftyPixels));  // x = 375, in range
    // 316 pixels right of the centre is 641, within 10 pixels of the right edge.
    const double nearEdge = kLon + 316 / 500.0;
    wnd_->OnReceiverRecord(Gga(kLat, nearEdge));
    EXPECT_DOUBLE_EQ(wnd_->plot().centre().lon.ArcSeconds(),
                     LongitudeOf(Gga(kLat, nearEdge)).ArcSeconds());
    const RecordingSurface s = Painted();
    const auto red = Ellipses(s, QColor(255, 0, 0));
    ASSERT_EQ(red.size(), 3u);
    EXPECT_EQ(red[0]->rect.center().x() + 1, 325 - 316);  // the first centre, now off screen
    EXPECT_EQ(red[1]->rect.center().x() + 1, 375 - 316);
    EXPECT_EQ(red[2]->rect, QRect(323, 218, 4, 4));  // the new centre
}

TEST_F(PositionPlotTest, SouthernAndWesternFixesPlotLikeNorthernAndEasternOnes) {
    wnd_->OnReceiverRecord(Zda(12, 0, 0));
    wnd_->OnReceiverRecord(Gga(-kLat, -kLon));
    wnd_->OnReceiverRecord(Zda(12, 0, 1));
    wnd_->OnReceiverRecord(Gga(-kLat + kFiftyPixels, -kLon + kFiftyPixels));
    EXPECT_LT(wnd_->plot().centre().lat.ArcSeconds(), 0);
    EXPECT_LT(wnd_->plot().centre().lon.ArcSeconds(), 0);
    const RecordingSurface s = Painted();
    const auto red = Ellipses(s, QColor(255, 0, 0));
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[1]->rect, QRect(373, 168, 4, 4));  // north-east of the centre
    EXPECT_NE(s.FindText(QStringLiteral("Center: [LAT] S  35  41.123' ")), nullptr);
    EXPECT_NE(s.FindText(QStringLiteral("      : [LON] W 139  45.678' ")), nullptr);
}

TEST_F(PositionPlotTest, RunningOutOfMemoryDropsTheOldestHalfAndRecentres) {
    StartNmeaPlot();
    for (int i = 1; i <= 9; ++i) {
        wnd_->OnReceiverRecord(Gga(kLat + i * 0.0001, kLon));
    }
    ASSERT_EQ(wnd_->plot().points().size(), 10u);
    bool fail = true;
    wnd_->plot().points().SetGrowthCheck([&fail] {
        if (std::exchange(fail, false)) {
            throw std::bad_alloc();
        }
    });
    const ReceiverState fix = Gga(kLat + 0.01, kLon);
    wnd_->OnReceiverRecord(fix);
    EXPECT_EQ(messages_, std::vector<std::string>{"Not enough memory"});
    // Five dropped, then the new centre appended; the window stays open and keeps plotting.
    EXPECT_EQ(wnd_->plot().points().size(), 6u);
    EXPECT_DOUBLE_EQ(wnd_->plot().centre().lat.ArcSeconds(), LatitudeOf(fix).ArcSeconds());
    wnd_->OnReceiverRecord(Gga(kLat + 0.0101, kLon));
    EXPECT_EQ(wnd_->plot().points().size(), 7u);
}

TEST_F(PositionPlotTest, RecentringKeepsTheArrayWithinItsCap) {
    StartNmeaPlot();
    // Every fix lands far off screen, so every fix re-centres.
    for (int i = 1; i <= 400; ++i) {
        wnd_->OnReceiverRecord(Gga(kLat + i * 10.0, kLon));
    }
    EXPECT_EQ(wnd_->plot().points().size(), 300u);
}

// ---- zoom ----

TEST_F(PositionPlotTest, PlusButtonReachesTheLimitAndTheKeyGoesPastIt) {
    EXPECT_TRUE(wnd_->zoom().zoomInButton()->isEnabled());
    wnd_->zoom().ZoomIn();  // what a click on "+" runs
    EXPECT_FLOAT_EQ(wnd_->plot().scale(), 1000.0f);
    EXPECT_FALSE(wnd_->zoom().zoomInButton()->isEnabled());
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+"));
    QCoreApplication::sendEvent(wnd_.get(), &plus);
    EXPECT_FLOAT_EQ(wnd_->plot().scale(), 2000.0f);
}

TEST_F(PositionPlotTest, TwelveStepsOutDisableMinus) {
    for (int i = 0; i < 12; ++i) {
        EXPECT_TRUE(wnd_->zoom().zoomOutButton()->isEnabled()) << i;
        wnd_->zoom().ZoomOut();
    }
    EXPECT_FLOAT_EQ(wnd_->plot().scale(), 0.1220703125f);
    EXPECT_FALSE(wnd_->zoom().zoomOutButton()->isEnabled());
    EXPECT_TRUE(wnd_->zoom().zoomInButton()->isEnabled());
}

TEST_F(PositionPlotTest, ZoomChangesTheScaleTextAndThePointPositions) {
    StartNmeaPlot();
    wnd_->OnReceiverRecord(Gga(kLat + kFiftyPixels, kLon));
    wnd_->zoom().ZoomOut();
    const RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("1 grid square equals    4.0 m^2 ")), nullptr);
    EXPECT_EQ(Ellipses(s, QColor(255, 0, 0))[1]->rect, QRect(323, 193, 4, 4));
}

TEST_F(PositionPlotTest, HeldZoomKeysStayWithinAUsableScale) {
    StartNmeaPlot();
    wnd_->OnReceiverRecord(Gga(kLat + 3600, kLon + 3600));
    QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+"));
    for (int i = 0; i < 200; ++i) {
        QCoreApplication::sendEvent(wnd_.get(), &plus);
    }
    EXPECT_TRUE(std::isfinite(wnd_->plot().scale()));
    Painted();  // far points must not overflow the pixel arithmetic
    QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-"));
    for (int i = 0; i < 400; ++i) {
        QCoreApplication::sendEvent(wnd_.get(), &minus);
    }
    EXPECT_GT(wnd_->plot().scale(), 0.0f);
    const float smallest = wnd_->plot().scale();
    QCoreApplication::sendEvent(wnd_.get(), &plus);
    EXPECT_FLOAT_EQ(wnd_->plot().scale(), smallest * 2);
}

// ---- the NMEA text layout ----

TEST_F(PositionPlotTest, NmeaTextBlocksSayWhatTheRecordsCarried) {
    wnd_->OnReceiverRecord(Zda(9, 5, 3));
    wnd_->OnReceiverRecord(Gga(kLat, kLon, 545.44f));
    ReceiverState vtg = RecordOfKind("$GPVTG");
    vtg.vtgSpeedKmh = 17.9f;
    wnd_->OnReceiverRecord(vtg);
    ReceiverState gsa = RecordOfKind("$GPGSA");
    gsa.pdop = 2.26f;
    wnd_->OnReceiverRecord(gsa);
    wnd_->OnReceiverRecord(Zda(9, 5, 4));
    const RecordingSurface s = Painted();
    const QStringList expected = {
        "Center: [LAT] N  35  41.123' ",
        "      : [LON] E 139  45.678' ",
        "1 grid square equals    1.0 m^2 ",
        "Window Created At:  9: 5: 3",
        "Current Time     :  9: 5: 4",
        "Current PDOP     : 2.3",
        "[LAT] N  35  41.123' ",
        "[LON] E 139  45.678' ",
        "[MSL]  545.4m",
        "Speed= 17",
        "Samples =  1",
    };
    EXPECT_EQ(s.Texts(), expected);
    const DrawCall* bottomRight = s.FindText(QStringLiteral("Samples ="));
    EXPECT_EQ(bottomRight->rect, QRect(650 - 105, 440 - 46, 105, 40));
    EXPECT_TRUE(bottomRight->alignment & Qt::AlignBottom);
    EXPECT_EQ(bottomRight->fg, QColor(255, 255, 255));
    EXPECT_FALSE(bottomRight->bg.isValid());
    EXPECT_EQ(s.FindText(QStringLiteral("Center:"))->rect, QRect(5, 5, 256, 60));
    EXPECT_EQ(s.FindText(QStringLiteral("Window Created"))->rect, QRect(315, 5, 257, 60));
    EXPECT_EQ(s.FindText(QStringLiteral("[MSL]"))->rect, QRect(5, 440 - 71, 256, 66));
}

TEST_F(PositionPlotTest, MinuteDecimalsKeepTheirLeadingZeros) {
    ReceiverState gga = Gga(kLat, kLon);
    gga.latMinuteFraction = 5;
    gga.latSeconds = 5 * 0.06;
    gga.lonMinuteFraction = 12;
    gga.lonSeconds = 12 * 0.06;
    wnd_->OnReceiverRecord(Zda(9, 5, 3));
    wnd_->OnReceiverRecord(gga);
    RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("[LAT] N  35  41.005' ")), nullptr);
    EXPECT_NE(s.FindText(QStringLiteral("[LON] E 139  45.012' ")), nullptr);
    // A GGA with four decimals of minutes (and no fix, so no sample) through the window's
    // decoder turns the layout to four digits.
    ReceiverState fourDigits{};
    ASSERT_TRUE(decoder_.Decode(
        fourDigits, test::Sentence("$GPGGA,093504,3541.0050,N,13945.0120,E,0,00,,,M,,M,,")));
    s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("[LAT] N  35  41.0050' ")), nullptr);
}

TEST_F(PositionPlotTest, AMixedStreamShowsTheNativeCentreInDecimalMinutes) {
    // At 35 41' 7.38" N, 139 45' 40.08" E: the centre is 7" and 40" (rounded down).
    wnd_->OnReceiverRecord(Native("SM1234", kLat, kLon - 0.6));
    wnd_->OnReceiverRecord(Zda(9, 5, 3));  // the NMEA layout from now on
    const RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("Center: [LAT] N  35  41.117' ")), nullptr);
    EXPECT_NE(s.FindText(QStringLiteral("      : [LON] E 139  45.667' ")), nullptr);
}

TEST_F(PositionPlotTest, SampleCountRunsFrom1To300AndStartsAgain) {
    StartNmeaPlot();
    EXPECT_NE(Painted().FindText(QStringLiteral("Samples =  1")), nullptr);
    for (int i = 1; i < 300; ++i) {
        wnd_->OnReceiverRecord(Gga(kLat, kLon));
    }
    EXPECT_NE(Painted().FindText(QStringLiteral("Samples =300")), nullptr);
    wnd_->OnReceiverRecord(Gga(kLat, kLon));
    EXPECT_NE(Painted().FindText(QStringLiteral("Samples =  1")), nullptr);
}

// ---- the native layout ----

TEST_F(PositionPlotTest, ANativeStreamDrawsWithoutAnyNmeaSentence) {
    // Seconds 7.38 and 40.20: the centre is rounded down to 7 and 40 seconds.
    constexpr double kNativeLon = 503140.20;
    wnd_->OnReceiverRecord(Native("SM1234", kLat, kNativeLon));
    wnd_->OnReceiverRecord(Native("SM1234", kLat - kFiftyPixels, kNativeLon));
    EXPECT_TRUE(wnd_->plot().Drawing());
    const RecordingSurface s = Painted();
    const QStringList expected = {
        "CENTER: [LAT] N  35  41'  7.00\" ",
        "      : [LON] E 139  45  40.00\" ",
        "SCALE :   1.0 (m)",
        "Window Created At: Jly 14,  9: 5:30, 2003",
        "Current Time     : Jly 14,  9: 5:30, 2003",
        "PDOP             :  2< PDOP< 3 ",
        "[LAT] N  35  41'  7.28\" ",
        "[LON] E 139  45' 40.20\" ",
        "[ALT]   12.2 m",
        "SPEED= 42",
        "SAMPLE  =  1",
    };
    EXPECT_EQ(s.Texts(), expected);
    // 0.38 arc-seconds north and 0.2 east of the rounded-down centre.
    const auto red = Ellipses(s, QColor(255, 0, 0));
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0]->rect, QRect(423, 28, 4, 4));
    EXPECT_EQ(red[1]->rect, QRect(423, 78, 4, 4));
}

TEST_F(PositionPlotTest, ARepeatedNativeFixStillRepaintsTheChangingTexts) {
    PositionPlot plot;
    const PositionSamples& samples = decoder_.samples();
    plot.OnRecord(Native("SM1234", kLat, kLon), samples);
    ReceiverState standingStill = Native("SM1234", kLat, kLon);
    standingStill.nativeTime.second = 31;
    const PositionPlot::Change change = plot.OnRecord(standingStill, samples);
    EXPECT_FALSE(change.whole);
    EXPECT_EQ(plot.points().size(), 1u);
    EXPECT_EQ(change.areas, plot.ChangingTextAreas());
}

TEST_F(PositionPlotTest, NativeYearsAndMonthZero) {
    ReceiverState r = Native("SM1234", kLat, kLon);
    r.nativeTime.year = 99;
    wnd_->OnReceiverRecord(r);
    r.nativeTime.month = 0;
    wnd_->OnReceiverRecord(r);
    const RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("Window Created At: Jly 14,  9: 5:30, 1999")), nullptr);
    EXPECT_NE(s.FindText(QStringLiteral("Current Time     : ___ 14,  9: 5:30,    0")), nullptr);
}

TEST_F(PositionPlotTest, OtherNativeVersionsShowThePdopAndTheTimeMessages) {
    wnd_->OnReceiverRecord(Zda(9, 5, 3));
    ReceiverState d0 = Native("D01234", kLat, kLon);
    d0.pdop = 3.44f;
    wnd_->OnReceiverRecord(d0);
    // These records add no position sample; their own position is plotted.
    d0.latSeconds += kFiftyPixels;
    wnd_->OnReceiverRecord(d0);
    const RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("Window Created At: Dec  8,  9: 5: 3, 2026")), nullptr);
    EXPECT_NE(s.FindText(QStringLiteral("PDOP = 3.4   ")), nullptr);
    EXPECT_EQ(Ellipses(s, QColor(255, 0, 0)).size(), 2u);
}

// ---- caption ----

TEST_F(PositionPlotTest, MouseMovesShowTheCursorInTheTitle) {
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 345), QPointF(12, 345), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(wnd_.get(), &move);
    EXPECT_EQ(wnd_->windowTitle(), QStringLiteral("Position Plot    12- 345/ 650- 440"));
}

}  // namespace
}  // namespace orbex
