// The General Information window as the user reads it: which page a record selects, and the
// exact texts, positions and colours of both pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "gui/main_window_messages.h"
#include "platform/window_messages.h"

#include "gui/recording_surface.h"
#include "tests/support/drawn_calls.h"
#include "tests/support/qt_printers.h"
#include "tests/windows/common/decoded_window_support.h"
#include "tests/windows/general_info/receiver_lines.h"
#include "windows/common/monitor_colours.h"
#include "windows/general_info/general_info_window.h"

namespace orbex {
namespace {

using test::Gsv;
using test::NativeLine;

class GeneralInfoTest : public test::DecodedWindowTest<CGeneralInfoWnd> {
  protected:
    // Paints once and returns the calls.
    const RecordingSurface& Paint() { return PaintInto(window, surface); }

    // The text calls drawn on page line n, left to right.
    std::vector<const DrawCall*> OnLine(int n) const {
        return test::TextsAt(surface, window.metrics().LineY(n));
    }
    QString LineText(int n) const {
        QString text;
        for (const DrawCall* c : OnLine(n)) {
            text += c->text;
        }
        return text;
    }

    RecordingSurface surface;
};

// ---- native page ----

TEST_F(GeneralInfoTest, NativeRecordFillsTheNativePageLineByLine) {
    Feed(NativeLine().Line());
    Paint();

    const auto version = OnLine(0);
    ASSERT_EQ(version.size(), 1u);
    EXPECT_EQ(version[0]->text, "  VERSION  : SMV104");
    EXPECT_EQ(version[0]->from.x(), 5);
    EXPECT_EQ(version[0]->from.y(), 5);
    EXPECT_EQ(version[0]->fg, kCyan);
    EXPECT_EQ(version[0]->bg, kBlack);

    EXPECT_EQ(LineText(1), "  Time     : **UTC Time**  Tue, Dec  3,  1:30:45, 2008");
    EXPECT_EQ(LineText(2), "  Latitude : N  35  41' 12.34\"   N  35  41.2057' ");
    EXPECT_EQ(LineText(3), "  Longitude: E 139  46' 45.67\"   E 139  46.7612' ");
    EXPECT_EQ(OnLine(4)[0]->text, "  Altitude :   42.0 m    ");
    EXPECT_EQ(OnLine(5)[0]->text, "  Speed    :    12 km/h ");
    EXPECT_EQ(OnLine(6)[0]->text, "  Azimuth  :    90      ");
    EXPECT_EQ(LineText(7), "  Position Update At: Tue, Dec  3,  1:30:44, 2008");
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(OnLine(n)[0]->fg, kWhite) << n;
    }
}

TEST_F(GeneralInfoTest, NativeRightColumnStartsAfterTheMeasuredAltitudeTemplate) {
    Feed(NativeLine().Line());
    Paint();
    const int columnX = window.metrics().columnX + 5;
    // Liberation Mono in a 15-pixel line: 24 characters of the template, about 8 pixels each.
    EXPECT_GT(columnX, 24 * 7);
    EXPECT_LT(columnX, 24 * 9 + 5);
    const struct {
        int line;
        const char* text;
    } kRight[] = {
        {4, "PDOP    : 2< PDOP< 3 "}, {5, "Positioning Mode: 3D"}, {6, "Datum  : WGS-84         "}};
    for (const auto& r : kRight) {
        const auto calls = OnLine(r.line);
        ASSERT_EQ(calls.size(), 2u) << r.line;
        EXPECT_EQ(calls[1]->from.x(), columnX);
        EXPECT_EQ(calls[1]->text, r.text);
        EXPECT_EQ(calls[1]->fg, kGreen);
    }
}

TEST_F(GeneralInfoTest, NativeChannelLinesJoinHeadStatusAndLevel) {
    NativeLine line;
    line.Channel(0, "EEJFM").Channel(1, "bJcCB").Channel(2, "aEJBC").Channel(3, "CEJAM");
    Feed(line.Line());
    Paint();

    const int x0 = window.metrics().charWidth * 4 + 5;
    const auto ch1 = OnLine(8);
    ASSERT_EQ(ch1.size(), 3u);
    EXPECT_EQ(ch1[0]->from.x(), x0);
    EXPECT_EQ(ch1[0]->text, "<CH 1>  SV 5   Elevation=  40    Azimuth=  90    STATUS= ");
    EXPECT_EQ(ch1[1]->text, "DECODE  ");
    EXPECT_EQ(ch1[1]->fg, kYellow) << "status F is drawn in yellow";
    EXPECT_EQ(ch1[2]->text, "  LEV= 12");
    // Each part starts where the previous one ends.
    EXPECT_EQ(ch1[1]->from.x(), ch1[0]->rect.right() + 1);
    EXPECT_EQ(ch1[2]->from.x(), ch1[1]->rect.right() + 1);

    EXPECT_EQ(LineText(9),
              "<CH 2>  SV26   Elevation=  90    Azimuth= -20    STATUS= DECODE    LEV=  1");
    EXPECT_EQ(OnLine(9)[1]->fg, kWhite) << "status C is white";
    EXPECT_EQ(LineText(10),
              "<CH 3>  SV25   Elevation=  40    Azimuth=  90    STATUS= STBY      LEV=  2");
    EXPECT_EQ(LineText(11),
              "<CH 4>  SV--   Elevation=------  Azimuth=------  STATUS= UNLOCK    LEV= 12");
    EXPECT_EQ(OnLine(8 + 15).size(), 3u) << "all 16 channels are listed";
}

TEST_F(GeneralInfoTest, NativeDatesFollowTheTwoDigitYearRule) {
    const struct {
        const char* yearMonth;
        const char* expected;
    } kCases[] = {
        {"9912", "  Time     : **UTC Time**  Tue, Dec  3,  1:30:45, 1999"},
        {"0301", "  Time     : **UTC Time**  Tue, Jan  3,  1:30:45, 2003"},
        {"8007", "  Time     : **UTC Time**  Tue, Jly  3,  1:30:45, 1980"},
        {"0800", "  Time     : **UTC Time**  Tue, ___  3,  1:30:45,    0"},
        {"0813", "  Time     : **UTC Time**  Tue, ___  3,  1:30:45, 2008"},
    };
    for (const auto& c : kCases) {
        Feed(NativeLine().Put(6, c.yearMonth).Line());
        Paint();
        EXPECT_EQ(LineText(1), c.expected) << c.yearMonth;
    }
}

TEST_F(GeneralInfoTest, NativeTimeBaseAndWeekdayCodes) {
    Feed(NativeLine().Put(12, "C").Put(53, "x").Put(19, "S").Line());
    Paint();
    EXPECT_EQ(LineText(1), "  Time     : **GPS Time**  Tue, Dec  3,  1:30:45, 2008");
    EXPECT_EQ(LineText(7), "  Position Update At: ___, Dec  3,  1:30:44, 2008");
    EXPECT_TRUE(LineText(2).startsWith("  Latitude : S  35"));
}

TEST_F(GeneralInfoTest, OtherMakerRecordsUseTheNativePageButUnknownOnesDoNot) {
    for (const char* kind : {"D0V104", "C6V104", "BAV104"}) {
        Feed(NativeLine().Kind(kind).Line());
        Paint();
        EXPECT_EQ(OnLine(0).at(0)->text, QString("  VERSION  : ") + kind);
    }
    Feed(NativeLine().Kind("XXV104").Line());
    Paint();
    EXPECT_TRUE(OnLine(0).empty());
    EXPECT_EQ(OnLine(1).at(0)->text, "  Interface               : NMEA ");
}

// ---- the window ----

TEST_F(GeneralInfoTest, OpensLargeEnoughForItsWidestLineAndAllRows) {
    Feed(NativeLine().Line());
    Paint();
    int right = 0;
    for (const DrawCall& c : surface.calls()) {
        right = std::max(right, c.rect.right());
    }
    EXPECT_GT(window.width(), right) << "no native line is cut off";
    EXPECT_GE(window.height(), window.metrics().LineY(37)) << "the NMEA page's 16 rows fit";
}

TEST_F(GeneralInfoTest, WindowKeysGoToTheMainWindow) {
    std::vector<std::uintptr_t> keys;
    SetMainWindowHandler([&keys](unsigned message, std::uintptr_t w, std::intptr_t) {
        if (message == UWM_KEY_COMMAND) {
            keys.push_back(w);
        }
        return std::intptr_t{0};
    });
    for (const auto& [key, text] : {std::pair{Qt::Key_2, "2"}, std::pair{Qt::Key_T, "t"}}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&window, &press);
    }
    QApplication::processEvents();
    SetMainWindowHandler({});
    EXPECT_EQ(keys, (std::vector<std::uintptr_t>{1, 'T'}));
}

// ---- NMEA page ----

class NmeaPageTest : public GeneralInfoTest {
  protected:
    void FeedEpoch(const char* quality = "1") {
        Feed(test::Gga(quality));
        Feed(test::Gsa());
        Feed(Gsv(3, 1, 10, {"05,45,090,45", "12,30,180,38", "17,10,270,30", "20,80,000,26"}));
        Feed(Gsv(3, 2, 10, {"21,05,045,20", "22,15,135,21", "23,25,225,22", "24,35,315,23"}));
        Feed(Gsv(3, 3, 10, {"25,45,100,24", "26,55,200,25"}));
        Feed(test::Vtg());
        Feed(test::Zda());
    }
};

TEST_F(NmeaPageTest, AWholeEpochFillsThePage) {
    FeedEpoch();
    Paint();
    EXPECT_TRUE(OnLine(0).empty()) << "line 0 stays empty";
    EXPECT_EQ(OnLine(1)[0]->fg, kCyan);
    EXPECT_EQ(LineText(1), "  Interface               : NMEA ");
    // Only "$GPZDA" sets the time (the "$GPGGA" says 01:30:45).
    EXPECT_EQ(LineText(2), "  Time                    : 2026/12/ 8  1:30:46");
    EXPECT_EQ(LineText(3), "  Latitude                : N  35  40.1234' ( 35  40'  7.40\")     ");
    EXPECT_EQ(LineText(4), "  Longitude               : E 139  45.6789' (139  45' 40.73\")     ");
    EXPECT_EQ(LineText(5), "  Mean Sea Level          :    42.5 m       ");
    EXPECT_EQ(LineText(6), "  Speed                   :    10.0 km/h    ");
    EXPECT_EQ(LineText(7), "  Azimuth                 :    90      ");
    EXPECT_EQ(LineText(8), "  Positioning mode        :     3D   ");
    EXPECT_EQ(LineText(9), "  PDOP                    :     2.1");
    EXPECT_EQ(LineText(10), "  HDOP                    :     1.2");
    EXPECT_EQ(LineText(11), "  VDOP                    :     1.7");
    EXPECT_EQ(LineText(12), "  GPS Quality Indicator   :  GPS Fixed ");
    EXPECT_EQ(LineText(14), "   Differential GPS Data  :     3 ");
    EXPECT_EQ(LineText(16), "   satellites in view     :    10 ");
    EXPECT_EQ(LineText(20), "  SV  Used  Elev[deg]  Azim[deg]  C/N[dB.Hz]");
    EXPECT_EQ(LineText(21), "   5    P       45         90         45     ");
    EXPECT_EQ(LineText(22), "  12    P       30        180         38     ");
    EXPECT_EQ(LineText(24), "  20            80          0         26     ");
    EXPECT_EQ(LineText(30), "  26            55        200         25     ");
    EXPECT_TRUE(OnLine(31).empty());
    for (int n = 2; n <= 30; ++n) {
        for (const DrawCall* c : OnLine(n)) {
            EXPECT_EQ(c->fg, kGreen) << n;
        }
    }
}

TEST_F(NmeaPageTest, ThreeMinuteDecimalsAreDividedByAThousand) {
    Feed(test::Sentence(
        "$GPGGA,013045,3540.123,S,13945.678,W,1,08,01.0,00042.5,M,036.7,M,003,0000"));
    Paint();
    EXPECT_EQ(LineText(3), "  Latitude                : S  35  40.1230' ( 35  40'  7.38\")     ");
    EXPECT_EQ(LineText(4), "  Longitude               : W 139  45.6780' (139  45' 40.68\")     ");
    Feed(test::Gga());  // four decimals again
    Paint();
    EXPECT_EQ(LineText(3), "  Latitude                : N  35  40.1234' ( 35  40'  7.40\")     ");
}

TEST_F(NmeaPageTest, GnssTalkersAndOtherWidthsFillThePageAsTheGpsTwins) {
    // Another maker's receiver: "$GNGGA" with a time in hundredths and five decimals of
    // minutes; the page shows the first four decimals and the hemispheres.
    Feed(test::Sentence("$GNGGA,213950.00,5250.53669,N,00542.34920,E,2,09,1.03,-6.0,M,45.8,M,,"));
    Paint();
    EXPECT_EQ(LineText(3), "  Latitude                : N  52  50.5366' ( 52  50' 32.20\")     ");
    EXPECT_EQ(LineText(4), "  Longitude               : E   5  42.3492' (  5  42' 20.95\")     ");
    EXPECT_EQ(LineText(12), "  GPS Quality Indicator   :  DGPS Fixed");
}

TEST_F(NmeaPageTest, UsedSatellitesStandInMeasuredColumns) {
    FeedEpoch();
    Paint();
    const auto calls = OnLine(18);
    ASSERT_EQ(calls.size(), 13u);
    EXPECT_EQ(calls[0]->text, "   in solution            : ");
    const PageMetrics& m = window.metrics();
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(calls[1 + i]->from.x(), m.usedLabelX + m.usedStepX * i + 5) << i;
    }
    EXPECT_EQ(calls[1]->text, "SV 5  ");
    EXPECT_EQ(calls[3]->text, "SV17  ");
    EXPECT_EQ(calls[4]->text, "      ") << "an empty entry is six blanks";
    // The columns continue the label without overlapping it.
    EXPECT_EQ(calls[1]->from.x(), calls[0]->rect.right() + 1);
}

TEST_F(NmeaPageTest, QualityIndicatorPicksTextAndColour) {
    const struct {
        const char* quality;
        const char* text;
        QColor colour;
    } kCases[] = {{"0", " Invalid   ", kWhite},
                  {"1", " GPS Fixed ", kGreen},
                  {"2", " DGPS Fixed", kDarkCyan},
                  {"", " Invalid   ", kWhite}};
    for (const auto& c : kCases) {
        Feed(test::Gga(c.quality));
        Paint();
        EXPECT_EQ(LineText(12), QString("  GPS Quality Indicator   : ") + c.text) << c.quality;
        EXPECT_EQ(OnLine(12)[0]->fg, c.colour) << c.quality;
        EXPECT_EQ(OnLine(1)[0]->fg, kCyan) << "the interface line stays cyan";
    }
}

TEST_F(NmeaPageTest, DifferentialAgesOver255ShowWhole) {
    Feed(test::Sentence(
        "$GPGGA,013045,3540.1234,N,13945.6789,E,2,08,01.0,00042.5,M,036.7,M,300,0000"));
    Paint();
    EXPECT_EQ(LineText(14), "   Differential GPS Data  :    300 ");
}

TEST_F(NmeaPageTest, InitialPageShowsInvalidModeAndBlankHemispheres) {
    Feed(test::Vtg());
    Paint();
    EXPECT_EQ(LineText(8), "  Positioning mode        :  Invalid ");
    EXPECT_EQ(LineText(3), "  Latitude                :     0   0.0000' (  0   0'  0.00\")     ");
    EXPECT_EQ(LineText(2), "  Time                    :    0/ 0/ 0  0: 0: 0");
}

TEST_F(NmeaPageTest, FewerRowsEraseThePageOnce) {
    FeedEpoch();
    Paint();
    EXPECT_EQ(surface.calls().front().op, DrawCall::Op::Text) << "no erase before";
    Paint();  // the row count went from 0 to 10: this paint erases first
    ASSERT_EQ(surface.calls().front().op, DrawCall::Op::Fill);
    EXPECT_EQ(surface.calls().front().rect, window.rect());
    EXPECT_EQ(surface.calls().front().fg, kBlack);
    Paint();
    EXPECT_NE(surface.calls().front().op, DrawCall::Op::Fill) << "only once";

    Feed(Gsv(2, 1, 7, {"05,45,090,45", "12,30,180,38", "17,10,270,30", "20,80,000,26"}));
    Paint();
    EXPECT_FALSE(OnLine(30).empty()) << "the group is not complete yet: still 10 rows";
    Feed(Gsv(2, 2, 7, {"21,05,045,20", "22,15,135,21", "23,25,225,22"}));
    Paint();
    EXPECT_NE(surface.calls().front().op, DrawCall::Op::Fill);
    EXPECT_FALSE(OnLine(27).empty());
    EXPECT_TRUE(OnLine(28).empty()) << "7 rows";
    Paint();
    EXPECT_EQ(surface.calls().front().op, DrawCall::Op::Fill) << "erased once for 7 rows";
    Paint();
    EXPECT_NE(surface.calls().front().op, DrawCall::Op::Fill);
}

TEST_F(NmeaPageTest, RecordsWithoutNmeaValuesLeaveThePageAsItWas) {
    FeedEpoch();
    Paint();
    Paint();  // erases once for the new table
    Paint();
    const QStringList before = surface.ToJsonLines();
    std::string fourChannel =
        "N 0812032013045N3541123E13946456000420120090"
        "05LE12L_23__31H__xyz3.201234008000005000200\r\n";
    ASSERT_EQ(fourChannel.size(), 89u);
    Feed(fourChannel);
    Paint();
    EXPECT_EQ(surface.ToJsonLines(), before) << "4-channel record";
    Feed(test::Sentence("$GPGLL,3540.1234,N,13945.6789,E,013045,A"));
    Paint();
    EXPECT_EQ(surface.ToJsonLines(), before) << "a record without a kind";
    Feed(test::Sentence("$PVLM,3"));
    Paint();
    EXPECT_EQ(surface.ToJsonLines(), before) << "a sentence this page does not show";
}

TEST_F(NmeaPageTest, GsvMessagesPastTheFourthAreIgnored) {
    FeedEpoch();
    Feed(Gsv(5, 5, 20, {"31,45,090,45", "32,30,180,38", "30,10,270,30", "29,80,000,26"}));
    Paint();
    EXPECT_EQ(LineText(16), "   satellites in view     :    20 ");
    EXPECT_EQ(LineText(21), "   5    P       45         90         45     ");
}

}  // namespace
}  // namespace orbex
