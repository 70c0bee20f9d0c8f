// The Satellite Constellation window: its text panel, level rows and sky plot for native
// records and NMEA sentences, checked through the recording surface (and, where the place on
// screen is the point, through the grabbed picture).
#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "gui/recording_surface.h"
#include "tests/support/drawn_calls.h"
#include "tests/support/qt_printers.h"
#include "tests/windows/common/decoded_window_support.h"
#include "tests/windows/general_info/receiver_lines.h"
#include "windows/common/monitor_colours.h"
#include "windows/satellites/satellite_symbols.h"
#include "windows/satellites/satellite_window.h"

namespace orbex {
namespace {

using test::Decoded;
using test::Gsv;
using test::NativeLine;

class SatelliteWindowTest : public test::DecodedWindowTest<CSatelliteWnd> {
  protected:
    const RecordingSurface& PaintPanel() { return PaintInto(window, panel); }
    const RecordingSurface& PaintPlot() { return PaintInto(window.skyPlot(), plot); }
    std::vector<const DrawCall*> PanelRow(int row) const {
        return test::TextsAt(panel, row * window.lineHeight());
    }
    std::vector<const DrawCall*> Bitmaps() const {
        return test::CallsOf(plot, DrawCall::Op::Bitmap);
    }
    // The plot's top-left corner of a symbol at sky position (x, y).
    QPoint Corner(int x, int y) {
        return QPoint(window.skyPlot().width() / 2 + x - 8, window.skyPlot().height() / 2 - y - 8);
    }
    void FeedGroup() {
        Feed(test::Gsa());  // satellites 5, 12, 17 are used in the fix
        Feed(Gsv(3, 1, 10, {"05,90,000,45", "12,00,090,38", "17,00,090,30", "20,30,180,26"}));
        Feed(Gsv(3, 2, 10, {"21,05,045,20", "22,15,135,27", "23,25,225,35", "24,35,315,44"}));
        Feed(Gsv(3, 3, 10, {"25,45,100,24", "26,55,200,99"}));
    }

    RecordingSurface panel;
    RecordingSurface plot;
};

TEST_F(SatelliteWindowTest, NothingIsDrawnBeforeTheFirstRecord) {
    EXPECT_TRUE(PaintPanel().calls().empty());
    PaintPlot();
    EXPECT_TRUE(Bitmaps().empty());
    EXPECT_EQ(window.skyPlot().geometry(), QRect(QPoint(240, 5), QPoint(637, 397)));
}

// ---- native records ----

TEST_F(SatelliteWindowTest, NativeUnlockedChannelShowsDashesAndNoSymbol) {
    Feed(NativeLine().Channel(3, "DEJAM").Channel(4, "EEJCB").Channel(5, "FEJBC").Line());
    PaintPanel();
    const auto row4 = PanelRow(4);
    ASSERT_EQ(row4.size(), 2u);
    EXPECT_EQ(row4[0]->text, "SV--");
    EXPECT_EQ(row4[0]->from.x(), 5);
    EXPECT_EQ(row4[1]->text, " UNLOCK ");
    EXPECT_EQ(row4[1]->from.x(), 5 + panel.TextExtent("SV##").width());
    EXPECT_EQ(PanelRow(1)[0]->text, "SV 1");
    EXPECT_EQ(PanelRow(1)[1]->text, " DECODE ");
    EXPECT_EQ(PanelRow(1)[1]->fg, kYellow) << "status F";
    EXPECT_EQ(PanelRow(5)[1]->text, " DECODE ");
    EXPECT_EQ(PanelRow(5)[1]->fg, kWhite) << "status C";
    EXPECT_EQ(PanelRow(6)[1]->text, " STBY   ");
    EXPECT_EQ(PanelRow(12)[0]->text, "SV12");
    EXPECT_TRUE(PanelRow(13).empty()) << "12 channels";
    EXPECT_EQ(PanelRow(18)[0]->text, "LAT: N  35  41' 12.34\" ");
    EXPECT_EQ(PanelRow(19)[0]->text, "LON: E 139  46' 45.67\" ");
    EXPECT_EQ(PanelRow(20)[0]->text, "ALT:   42.0 m");

    PaintPlot();
    EXPECT_EQ(Bitmaps().size(), 11u + 3u) << "eleven channels and three legend images";
    EXPECT_EQ(window.model().PlotChannels()[3].symbol, kUnlockedSet + 4 - 1);
    EXPECT_EQ(window.model().PlotChannels()[4].symbol, kTrackedSet + 5 - 1);
}

TEST_F(SatelliteWindowTest, SixChannelRecordShowsAndPlotsChannelsZeroToFive) {
    Feed(NativeLine().Line());  // 12 channels first
    Feed(NativeLine().Kind("C6V104").Line());
    PaintPanel();
    EXPECT_EQ(PanelRow(6)[0]->text, "SV 6");
    EXPECT_TRUE(PanelRow(7).empty());
    PaintPlot();
    EXPECT_EQ(Bitmaps().size(), 6u + 3u);
    EXPECT_EQ(window.levelRow(5).level(), 12);
    EXPECT_EQ(window.levelRow(6).level(), 0) << "the channels the record lacks are emptied";
    EXPECT_EQ(window.levelRow(11).level(), 0);
}

TEST_F(SatelliteWindowTest, NativeLevelRowsTakeTheLevelCodeAndChannelColour) {
    NativeLine line;
    for (int k = 0; k < 12; ++k) {
        line.Channel(
            k, std::string{static_cast<char>('A' + k), 'E', 'J', 'F', static_cast<char>('A' + k)});
    }
    Feed(line.Line());
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(window.levelRow(k).level(), k);
        EXPECT_EQ(window.levelRow(k).colour(), k < 8 ? kCyan : kBlue) << k;
    }
}

TEST_F(SatelliteWindowTest, NativeAnglesGiveSkyPositions) {
    NativeLine line;
    line.Channel(0, "AJAFM")   // elevation 90: the centre
        .Channel(1, "BAJFM")   // elevation 0, azimuth 90: on the circle, east
        .Channel(2, "CAAFM")   // elevation 0, azimuth 0: north
        .Channel(3, "DAlFM")   // azimuth "l" = -110 (250 degrees)
        .Channel(4, "EbJBM")   // negative elevation: parked, lower row
        .Channel(9, "J_JBM");  // no elevation: parked, upper row
    Feed(line.Line());
    const auto sky = window.model().PlotChannels();
    EXPECT_EQ(sky[0].position, QPoint(0, 0));
    EXPECT_EQ(sky[1].position, QPoint(150, 0));
    EXPECT_EQ(sky[2].position, QPoint(0, 150));
    EXPECT_EQ(sky[3].position, SkyPosition(0, -110));
    EXPECT_LT(sky[3].position.x(), 0) << "west";
    EXPECT_EQ(sky[4].position, QPoint(18 * 4 - 200 + 16, -164));
    EXPECT_EQ(sky[4].symbol, kBelowHorizonSet + 5 - 1);
    EXPECT_EQ(sky[9].position, QPoint(18 * 9 - 140 + 16, -180));

    PaintPlot();
    std::set<std::pair<int, int>> corners;
    for (const DrawCall* b : Bitmaps()) {
        corners.insert({b->rect.left(), b->rect.top()});
    }
    for (int k : {0, 1, 2, 4, 9}) {
        const QPoint c = Corner(sky[k].position.x(), sky[k].position.y());
        EXPECT_TRUE(corners.count({c.x(), c.y()})) << k;
    }
}

TEST_F(SatelliteWindowTest, ChannelsWithoutASatelliteNumberGetNoSymbol) {
    Feed(NativeLine().Channel(0, "@EJFM").Channel(1, "iEJFM").Line());
    const auto sky = window.model().PlotChannels();
    EXPECT_EQ(sky[0].symbol, kNoSymbol) << "number 0 is no satellite";
    EXPECT_EQ(sky[1].symbol, kNoSymbol) << "codes past h have no image";
    PaintPanel();
    EXPECT_EQ(PanelRow(2)[0]->text, "SV99");
}

TEST_F(SatelliteWindowTest, CodesAbove127AreLargeCodesAsInTheDecoder) {
    ReceiverState record = Decoded(decoder, NativeLine().Line());
    // Satellite, elevation, azimuth and level codes of 0xE1 and 0xC1: bytes, not negatives.
    record.satellites[0] = {.prnCode = '\xE1',
                            .elevationCode = '\xE1',
                            .azimuthCode = '\xE1',
                            .statusCode = 'C',
                            .levelCode = '\xC1'};
    window.OnReceiverRecord(record);
    EXPECT_EQ(window.levelRow(0).level(), 0xC1 - 'A');
    const SkyChannel sky = window.model().PlotChannels()[0];
    EXPECT_EQ(sky.symbol, kNoSymbol);
    EXPECT_EQ(sky.position, QPoint(0, 150)) << "elevation and azimuth codes past Y read as 0";
    PaintPanel();
    EXPECT_EQ(PanelRow(1)[0]->text, "SV99");
}

TEST_F(SatelliteWindowTest, NativePlotShowsLegendFixTimeAndDop) {
    Feed(NativeLine().Line());
    PaintPlot();
    QStringList texts = plot.Texts();
    EXPECT_TRUE(texts.contains("..DECODE"));
    EXPECT_TRUE(texts.contains("..UNLOCK"));
    EXPECT_TRUE(texts.contains("..-ELV"));
    EXPECT_TRUE(texts.contains("    1:30:44"));
    EXPECT_TRUE(texts.contains(" 2< PDOP< 3 "));
    const DrawCall* legend = plot.FindText("..DECODE");
    EXPECT_EQ(legend->from, QPoint(20, 4));
    const DrawCall* time = plot.FindText("1:30:44");
    EXPECT_EQ(time->rect.right() + 1, window.skyPlot().width() - 4) << "at the top right";

    Feed(NativeLine().Kind("D0V104").Line());
    PaintPlot();
    EXPECT_TRUE(plot.Texts().contains("Current PDOP0.0"));
}

// ---- the sky plot's drawing ----

TEST_F(SatelliteWindowTest, PlotDrawsCirclesAxesAndLetters) {
    Feed(NativeLine().Line());
    PaintPlot();
    const int w = window.skyPlot().width();
    const int h = window.skyPlot().height();
    std::vector<QRect> circles;
    for (const DrawCall& c : plot.calls()) {
        if (c.op == DrawCall::Op::Ellipse) {
            EXPECT_EQ(c.pen, kMagenta);
            EXPECT_FALSE(c.brush.isValid());
            circles.push_back(c.rect);
        }
    }
    ASSERT_EQ(circles.size(), 10u);
    EXPECT_EQ(circles[0], QRect(w / 2 - 150, h / 2 - 150, 300, 300)) << "elevation 0";
    EXPECT_EQ(circles[3].width(), 2 * 129) << "elevation 30: trunc(150 cos 30)";
    EXPECT_EQ(circles[9].width(), 0) << "elevation 90";
    const DrawCall* north = plot.FindText("N");
    EXPECT_EQ(north->from, QPoint(w / 2 + 4, 4));
    const DrawCall* west = plot.FindText("W");
    EXPECT_EQ(west->from, QPoint(4, h / 2 + 4));
    int lines = 0;
    for (const DrawCall& c : plot.calls()) {
        if (c.op == DrawCall::Op::Line) {
            ++lines;
            EXPECT_EQ(c.pen, kMagenta);
        }
    }
    EXPECT_EQ(lines, 2);
}

// Yellow pixels of a decoding symbol in the 16 x 16 box at corner.
int YellowPixels(const QImage& image, QPoint corner) {
    int count = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor c(image.pixel(corner + QPoint(x, y)));
            count += c.red() > 200 && c.green() > 200 && c.blue() < 80 ? 1 : 0;
        }
    }
    return count;
}

TEST_F(SatelliteWindowTest, EastIsToTheRightOnScreen) {
    window.show();
    Feed(NativeLine().Channel(0, "AAJFM").Channel(1, "BJAFM").Line());  // east on the horizon
    const QImage image = window.skyPlot().grab().toImage();
    EXPECT_GT(YellowPixels(image, Corner(150, 0)), 60) << "east, on the horizon circle";
    EXPECT_GT(YellowPixels(image, Corner(0, 0)), 60) << "the zenith, at the centre";
    EXPECT_EQ(YellowPixels(image, Corner(-150, 0)), 0) << "west is empty";
    EXPECT_EQ(YellowPixels(image, Corner(0, 150)), 0) << "north is empty";
}

// ---- NMEA sentences ----

TEST_F(SatelliteWindowTest, GsvGroupFillsTwelveChannelsAndShowsOnlyWhenComplete) {
    Feed(test::Gga());
    Feed(test::Gsa());
    Feed(Gsv(3, 1, 10, {"05,90,000,45", "12,00,090,38", "17,00,090,30", "20,30,180,26"}));
    Feed(Gsv(3, 2, 10, {"21,05,045,20", "22,15,135,27", "23,25,225,35", "24,35,315,44"}));
    PaintPanel();
    EXPECT_TRUE(PanelRow(2).empty()) << "no numbers before the group is complete";
    EXPECT_EQ(window.levelRow(0).level(), 0) << "levels wait for the group too";

    Feed(Gsv(3, 3, 10, {"25,45,100,24", "26,55,200,99"}));
    PaintPanel();
    EXPECT_EQ(PanelRow(1)[0]->text, "       SV    Level");
    EXPECT_EQ(PanelRow(1)[0]->fg, kWhite) << "quality 1";
    EXPECT_EQ(PanelRow(2)[0]->text, "        5");
    EXPECT_EQ(PanelRow(2)[0]->fg, kWhite) << "used in the fix";
    EXPECT_EQ(PanelRow(5)[0]->text, "       20");
    EXPECT_EQ(PanelRow(5)[0]->fg, kYellow) << "not used";
    EXPECT_EQ(PanelRow(11)[0]->text, "       26");
    for (int ch = 10; ch < 16; ++ch) {
        EXPECT_EQ(PanelRow(2 + ch)[0]->text, "             ") << ch;
        EXPECT_EQ(window.levelRow(ch).level(), 0) << ch;
    }
    EXPECT_EQ(window.levelRow(0).level(), 11);
    EXPECT_EQ(window.levelRow(0).colour(), kCyan) << "45 dB-Hz";
    EXPECT_EQ(window.levelRow(3).level(), 6);
    EXPECT_EQ(window.levelRow(3).colour(), kBlue) << "26 dB-Hz";
    EXPECT_EQ(window.levelRow(5).colour(), QColor(0, 80, 255)) << "27 dB-Hz";
    EXPECT_EQ(window.levelRow(6).colour(), QColor(0, 160, 255)) << "35 dB-Hz";
    EXPECT_EQ(window.levelRow(7).colour(), QColor(0, 160, 255)) << "44 dB-Hz";
    EXPECT_EQ(window.levelRow(9).level(), 25) << "99 dB-Hz";

    // The next group's first message changes nothing shown.
    Feed(Gsv(2, 1, 5, {"31,45,090,10", "30,30,180,10", "29,10,270,10", "28,80,000,10"}));
    PaintPanel();
    EXPECT_EQ(PanelRow(2)[0]->text, "        5");
    EXPECT_EQ(window.levelRow(0).level(), 11);
}

TEST_F(SatelliteWindowTest, NmeaSymbolsFollowTheFixAndTheHorizon) {
    FeedGroup();
    const auto sky = window.model().PlotChannels();
    EXPECT_EQ(sky[0].symbol, kDecodingSet + 5 - 1) << "used in the fix";
    EXPECT_EQ(sky[0].position, QPoint(0, 0)) << "elevation 90";
    EXPECT_EQ(sky[1].symbol, kOnHorizonSet + 12 - 1) << "elevation 0, even though used";
    EXPECT_EQ(sky[3].symbol, kTrackedSet + 20 - 1);
    EXPECT_EQ(sky[12].symbol, kNoSymbol);

    PaintPlot();
    const auto bitmaps = Bitmaps();
    EXPECT_EQ(bitmaps.size(), 8u) << "ten in view, two on the horizon; no legend";
    for (const DrawCall* b : bitmaps) {
        EXPECT_NE(b->rect.topLeft(), Corner(150, 0)) << "the horizon symbols are not drawn";
    }
    EXPECT_TRUE(plot.Texts().contains("   PDOP   = 2.1"));
}

TEST_F(SatelliteWindowTest, NmeaChannelsPastSatellitesInViewAreNotPlotted) {
    Feed(test::Gsa());
    Feed(Gsv(1, 1, 2, {"05,45,000,45", "20,30,180,26", "21,30,090,26", "22,30,270,26"}));
    PaintPlot();
    EXPECT_EQ(Bitmaps().size(), 2u);
}

TEST_F(SatelliteWindowTest, SatellitesPast32AreListedButNotPlotted) {
    Feed(Gsv(1, 1, 2, {"05,45,000,45", "40,30,180,26"}));
    EXPECT_EQ(window.model().PlotChannels()[1].symbol, kNoSymbol);
    PaintPanel();
    EXPECT_EQ(PanelRow(3)[0]->text, "       40");
}

TEST_F(SatelliteWindowTest, NmeaPositionLinesDependOnTheFix) {
    Feed(test::Gga("1"));
    PaintPanel();
    EXPECT_EQ(PanelRow(20)[0]->text, "   LAT : N  35  40.1234' ");
    EXPECT_EQ(PanelRow(21)[0]->text, "   LON : E 139  45.6789' ");
    EXPECT_EQ(PanelRow(22)[0]->text, "   MSL :    42.5 m");
    EXPECT_EQ(PanelRow(20)[0]->fg, kWhite);

    Feed(test::Gga("0"));
    PaintPanel();
    EXPECT_EQ(PanelRow(20)[0]->text, "   LAT : n  35  40.1234  ");
    EXPECT_EQ(PanelRow(20)[0]->fg, kYellow);
    EXPECT_EQ(PanelRow(1)[0]->fg, kYellow);

    Feed(test::Gga("2"));
    PaintPanel();
    EXPECT_EQ(PanelRow(1)[0]->fg, QColor(0, 220, 220));
    PaintPlot();
    EXPECT_TRUE(plot.Texts().contains("        1:30:45"));
}

// ---- level rows and symbols ----

TEST(LevelRowTest, FrameAndBarOfTheLevel) {
    QWidget parent;
    CLevelRow row(0, &parent);
    row.setGeometry(0, 0, 105, 14);
    row.SetLevel(7, kCyan);
    RecordingSurface s;
    row.Paint(s);
    ASSERT_EQ(s.calls().size(), 3u);
    EXPECT_EQ(s.calls()[1].op, DrawCall::Op::Rectangle);
    EXPECT_EQ(s.calls()[1].rect, QRect(0, 0, 105, 14));
    EXPECT_EQ(s.calls()[1].pen, kMagenta);
    EXPECT_EQ(s.calls()[2].rect, QRect(1, 1, 35, 12)) << "105 / 21 = 5 pixels per level";
    EXPECT_EQ(s.calls()[2].fg, kCyan);

    row.SetLevel(0, kBlue);
    s.Clear();
    row.Paint(s);
    EXPECT_EQ(s.calls().size(), 2u) << "no bar at level 0";
}

TEST(SatelliteSymbolsTest, FiveSetsOf32DistinctImagesAndThreeLegends) {
    std::set<qint64> seen;
    for (int set : {kBelowHorizonSet, kOnHorizonSet, kDecodingSet, kTrackedSet, kUnlockedSet}) {
        for (int n = 1; n <= 32; ++n) {
            const int id = SymbolId(set, n);
            EXPECT_EQ(SymbolSet(id), set);
            const QImage& image = SymbolImage(id);
            ASSERT_EQ(image.size(), QSize(16, 16)) << id;
            seen.insert(image.cacheKey());
        }
    }
    EXPECT_EQ(seen.size(), 160u);
    for (int id : {kLegendDecode, kLegendBelowHorizon, kNoSymbol}) {
        EXPECT_EQ(SymbolImage(id).size(), QSize(16, 16)) << id;
        EXPECT_EQ(SymbolSet(id), 0);
    }
    EXPECT_TRUE(SymbolImage(108).isNull());
    EXPECT_TRUE(SymbolImage(274).isNull());
    EXPECT_EQ(SymbolId(kDecodingSet, 0), kNoSymbol);
    EXPECT_EQ(SymbolId(kDecodingSet, 33), kNoSymbol);
    // The numbers differ, not only the objects: satellites 1 and 2 look different.
    EXPECT_NE(SymbolImage(SymbolId(kTrackedSet, 1)), SymbolImage(SymbolId(kTrackedSet, 2)));
}

}  // namespace
}  // namespace orbex
