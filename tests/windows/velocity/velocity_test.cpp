// The velocity window fed with "$GPVTG", "SM" and "$GPGSA" records, checked through the
// recording drawing interface: where the vectors land, the rings at each scale, the panel
// texts, the statistics over every sample, zoom limits and the layout after a resize.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QResizeEvent>
#include <cmath>
#include <cstring>
#include <memory>

#include "decode/decode_line.h"
#include "gui/recording_surface.h"
#include "tests/support/drawn_calls.h"
#include "tests/support/qt_printers.h"
#include "windows/velocity/velocity_window.h"

namespace orbex {
namespace {

using test::Ellipses;
ReceiverState Vtg(float kmh, int course) {
    ReceiverState r;
    std::strcpy(r.kind, "$GPVTG");
    r.vtgSpeedKmh = kmh;
    r.vtgSpeedPresent = true;
    r.course = course;
    return r;
}

ReceiverState Native(int kmh, int course, char dopCode, char fixMode = '4') {
    ReceiverState r;
    std::strcpy(r.kind, "SM1234");
    r.fixMode = fixMode;
    r.speedKmhWhole = kmh;
    r.course = course;
    r.dopCode[0] = dopCode;
    return r;
}

ReceiverState Gsa(float pdop) {
    ReceiverState r;
    std::strcpy(r.kind, "$GPGSA");
    r.pdop = pdop;
    return r;
}

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);

class VelocityTest : public ::testing::Test {
  protected:
    RecordingSurface Painted() {
        RecordingSurface surface;
        wnd_->Paint(surface);
        return surface;
    }
    // The points: the red inner circles, in the order drawn after the rings.
    std::vector<QPoint> PointPixels() {
        std::vector<QPoint> pixels;
        const RecordingSurface s = Painted();
        for (const DrawCall* c : Ellipses(s, kRed)) {
            if (c->rect.width() == 4) {
                pixels.push_back(c->rect.topLeft() + QPoint(2, 2));
            }
        }
        return pixels;
    }
    void SendKey(int key, const char* text) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
        QCoreApplication::sendEvent(wnd_.get(), &event);
    }

    std::unique_ptr<CVelocityWnd> wnd_ = std::make_unique<CVelocityWnd>();
};

// ---- vectors ----

TEST_F(VelocityTest, Heading90At10KmhLandsRightOfTheCentreAndHeading0Above) {
    EXPECT_EQ(wnd_->size(), QSize(640, 400));
    EXPECT_EQ(wnd_->plot().centre(), QPoint(228, 200));
    wnd_->OnReceiverRecord(Vtg(10.9f, 90));  // 10 km/h: the speed is taken whole
    wnd_->OnReceiverRecord(Vtg(10.0f, 0));
    EXPECT_NEAR(wnd_->plot().points()[0].east, 10.0, 1e-9);
    EXPECT_NEAR(wnd_->plot().points()[0].north, 0.0, 1e-9);
    EXPECT_EQ(PointPixels(), (std::vector<QPoint>{{278, 200}, {228, 150}}));
    const RecordingSurface s = Painted();
    const auto green = Ellipses(s, kGreen);
    ASSERT_EQ(green.size(), 2u);
    EXPECT_EQ(green[0]->rect, QRect(274, 196, 8, 8));
    // All inner circles come before all outer circles.
    EXPECT_LT(Ellipses(s, kRed).back(), green.front());
}

TEST_F(VelocityTest, OnlyVelocityRecordsAddSamples) {
    wnd_->OnReceiverRecord(Gsa(2.26f));
    ReceiverState gga;
    std::strcpy(gga.kind, "$GPGGA");
    wnd_->OnReceiverRecord(gga);
    // A native record without a fix and a "$GPVTG" with empty speeds measured nothing.
    wnd_->OnReceiverRecord(Native(0, 0, 'B', '0'));
    ReceiverState empty;
    ASSERT_TRUE(DecodeLine(empty, "$GPVTG,,T,,M,,N,,K,N*2C\r\n"));
    wnd_->OnReceiverRecord(empty);
    EXPECT_EQ(wnd_->plot().sampleCount(), 0);
    // Before the first sample only the target is drawn.
    EXPECT_EQ(Painted().Texts(), (QStringList{"N", "S", "W", "E"}));
    // A standstill that was measured is a sample.
    ReceiverState standstill;
    ASSERT_TRUE(DecodeLine(standstill, "$GPVTG,,T,,M,0.000,N,0.000,K,A*23\r\n"));
    wnd_->OnReceiverRecord(standstill);
    EXPECT_EQ(wnd_->plot().sampleCount(), 1);
    wnd_->OnReceiverRecord(Native(30, 180, 'B'));
    EXPECT_EQ(wnd_->plot().sampleCount(), 2);
    // 150 pixels below the centre: the pixel offset is truncated toward zero (-149.5 to -149).
    EXPECT_EQ(PointPixels(), (std::vector<QPoint>{{228, 200}, {228, 349}}));
}

TEST_F(VelocityTest, The301stSampleDropsThePointButTheStatisticsKeepIt) {
    // 150 samples of 10 km/h east, 151 of 10 km/h north.
    for (int i = 0; i < 301; ++i) {
        wnd_->OnReceiverRecord(Vtg(10.0f, i < 150 ? 90 : 0));
    }
    EXPECT_EQ(wnd_->plot().points().size(), 300u);
    EXPECT_EQ(wnd_->plot().sampleCount(), 301);
    EXPECT_DOUBLE_EQ(wnd_->plot().east().average(), 1500.0 / 301);
    EXPECT_NEAR(wnd_->plot().north().average(), 1510.0 / 301, 1e-9);
    const RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("  Samples: 301")), nullptr);
    EXPECT_NE(s.FindText(QStringLiteral("[Avg] Vx:  5.0")), nullptr);
}

TEST_F(VelocityTest, TheSpreadIsAStandardDeviationInKmh) {
    // East components 0, 10, 20: average 10, standard deviation sqrt(200 / 3) = 8.16.
    wnd_->OnReceiverRecord(Vtg(0.0f, 90));
    wnd_->OnReceiverRecord(Vtg(10.0f, 90));
    wnd_->OnReceiverRecord(Vtg(20.0f, 90));
    EXPECT_NEAR(wnd_->plot().east().spread(), std::sqrt(200.0 / 3), 1e-9);
    const RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("[Var] Vx:  8.2")), nullptr);
    EXPECT_NE(s.FindText(QStringLiteral("      Vy:  0.0")), nullptr);
}

// ---- the target ----

TEST_F(VelocityTest, AtTheInitialScaleEveryRingIsDrawnAndEveryTenthInRed) {
    const RecordingSurface s = Painted();
    const auto blue = Ellipses(s, kBlue);
    const auto red = Ellipses(s, kRed);
    EXPECT_EQ(blue.size(), 36u);  // 200 / 5 = 40 rings
    ASSERT_EQ(red.size(), 4u);
    EXPECT_EQ(red[0]->rect, QRect(228 - 50, 200 - 50, 100, 100));
    EXPECT_EQ(red[3]->rect, QRect(28, 0, 400, 400));
    const DrawCall* north = s.FindText(QStringLiteral("N"));
    EXPECT_EQ(north->from, QPoint(236, 5));
    EXPECT_EQ(s.FindText(QStringLiteral("S"))->from, QPoint(236, 379));
    EXPECT_EQ(s.FindText(QStringLiteral("W"))->from, QPoint(33, 205));
    EXPECT_EQ(s.FindText(QStringLiteral("E"))->from, QPoint(417, 205));
    int axes = 0;
    for (const DrawCall& c : s.calls()) {
        if (c.op == DrawCall::Op::Line) {
            EXPECT_EQ(c.pen, QColor(255, 255, 255));
            ++axes;
        }
    }
    EXPECT_EQ(axes, 2);
}

TEST_F(VelocityTest, AtScaleHalfOnlyTheTensAreDrawnInRed) {
    for (int i = 0; i < 3; ++i) {
        wnd_->zoom().ZoomOut();
    }
    EXPECT_FLOAT_EQ(wnd_->plot().scale(), 0.625f);
    wnd_->zoom().ZoomIn();
    wnd_->zoom().ZoomOut();
    wnd_->zoom().ZoomOut();
    const RecordingSurface zoomedOut = Painted();
    EXPECT_TRUE(Ellipses(zoomedOut, kBlue).empty());
    // 5 / 16 = 0.3125: rings for 10 .. 640 km/h.
    EXPECT_EQ(Ellipses(zoomedOut, kRed).size(), 64u);
}

TEST_F(VelocityTest, ZoomButtonsStopAtTheirLimitsAndTheKeysGoPast) {
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(wnd_->zoom().zoomInButton()->isEnabled());
        wnd_->zoom().ZoomIn();
    }
    EXPECT_FLOAT_EQ(wnd_->plot().scale(), 160.0f);
    EXPECT_FALSE(wnd_->zoom().zoomInButton()->isEnabled());
    SendKey(Qt::Key_Plus, "+");
    EXPECT_FLOAT_EQ(wnd_->plot().scale(), 320.0f);
    // Too far in for any ring: the axes reach one pixel.
    const RecordingSurface s = Painted();
    EXPECT_TRUE(Ellipses(s, kBlue).empty());
    EXPECT_EQ(s.FindText(QStringLiteral("N"))->from, QPoint(236, 204));
    for (int i = 0; i < 500; ++i) {
        SendKey(Qt::Key_Minus, "-");
    }
    EXPECT_GT(wnd_->plot().scale(), 0.0f);
    EXPECT_FALSE(wnd_->zoom().zoomOutButton()->isEnabled());
    wnd_->OnReceiverRecord(Vtg(100.0f, 45));
    EXPECT_LT(Painted().calls().size(), 1000u);
}

// ---- the panel ----

TEST_F(VelocityTest, PanelTextsAtCreation) {
    wnd_->OnReceiverRecord(Gsa(2.26f));
    wnd_->OnReceiverRecord(Vtg(12.5f, 0));
    const RecordingSurface s = Painted();
    const std::vector<std::pair<QPoint, QString>> expected = {
        {{456, 16}, "1 line equals 1km/h"},    {{536, 32}, "( 5.0 dot)"},
        {{456, 48}, "Current PDOP: 2.260000"}, {{456, 80}, "Speed    :  12"},
        {{456, 96}, "Heading  :   0"},         {{456, 112}, "Number of "},
        {{456, 128}, "  Samples:   1"},        {{456, 304}, "[Avg] Vx:  0.0"},
        {{456, 320}, "      Vy: 12.0"},        {{456, 352}, "[Var] Vx:  0.0"},
        {{456, 368}, "      Vy:  0.0"},
    };
    for (const auto& [at, text] : expected) {
        const DrawCall* call = s.FindText(text);
        ASSERT_NE(call, nullptr) << text.toStdString();
        EXPECT_EQ(call->from, at) << text.toStdString();
        EXPECT_EQ(call->fg, QColor(255, 255, 255));
        EXPECT_EQ(call->bg, QColor(0, 0, 0));  // opaque
    }
}

TEST_F(VelocityTest, ANativeDopTextReplacesThePdopLine) {
    wnd_->OnReceiverRecord(Native(20, 90, 'C'));
    wnd_->OnReceiverRecord(Gsa(4.0f));
    const RecordingSurface s = Painted();
    EXPECT_NE(s.FindText(QStringLiteral("GDOP    :  2< PDOP< 3 ")), nullptr);
    EXPECT_EQ(s.FindText(QStringLiteral("Current PDOP")), nullptr);
}

TEST_F(VelocityTest, AResizeMovesTheTargetPanelAndButtons) {
    wnd_->resize(800, 600);
    QResizeEvent resize(QSize(800, 600), QSize(640, 400));
    QCoreApplication::sendEvent(wnd_.get(), &resize);
    EXPECT_EQ(wnd_->plot().centre(), QPoint(308, 300));
    EXPECT_EQ(wnd_->plot().panelX(), 616);
    EXPECT_EQ(wnd_->plot().statisticsY(), 504);
    EXPECT_EQ(wnd_->zoom().zoomOutButton()->geometry(), QRect(740, 280, 20, 20));
    EXPECT_EQ(wnd_->zoom().zoomInButton()->geometry(), QRect(770, 280, 20, 20));
    wnd_->OnReceiverRecord(Vtg(10.0f, 90));
    EXPECT_EQ(PointPixels(), (std::vector<QPoint>{{358, 300}}));
    EXPECT_EQ(Painted().FindText(QStringLiteral("[Avg]"))->from, QPoint(616, 504));
}

TEST_F(VelocityTest, ButtonsStartAtTheirCreationPlaces) {
    EXPECT_EQ(wnd_->zoom().zoomOutButton()->geometry(), QRect(580, 180, 20, 20));
    EXPECT_EQ(wnd_->zoom().zoomInButton()->geometry(), QRect(610, 180, 20, 20));
    EXPECT_EQ(wnd_->windowTitle(), QStringLiteral("Velocity"));
}

}  // namespace
}  // namespace orbex
