// What the viewer paints for the sentences it is fed, through the recording drawing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>

#include "handheld/command_dialog.h"

#include "handheld/recording_drawing.h"
#include "handheld/viewer_dialog.h"
#include "tests/handheld/sentence_support.h"

namespace orbexce {
namespace {

using test::Sentence;

const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);

class ViewerScreenTest : public ::testing::Test {
  protected:
    ViewerScreenTest() : dialog_(Options()), recording_(&dialog_.imageDrawing()) {
        dialog_.SetDrawing(&recording_);
        dialog_.ShowFirstScreen();
        recording_.Clear();
    }

    static ViewerOptions Options() {
        ViewerOptions options;
        options.openAtStart = false;
        options.messageBox = [](const QString&) {};
        options.now = [] { return std::int64_t{1000}; };
        return options;
    }

    void Feed(const std::string& bytes) { dialog_.ProcessBytes(bytes.data(), bytes.size()); }

    int Count(DrawnCall::Op op, Plane plane) const {
        int n = 0;
        for (const DrawnCall& c : recording_.calls()) {
            n += c.op == op && c.plane == plane ? 1 : 0;
        }
        return n;
    }

    // The brush of the sky-plot circle whose number text reads `number`.
    QColor SkyCircleOf(const QString& number) const {
        const auto& calls = recording_.calls();
        for (std::size_t i = 1; i < calls.size(); ++i) {
            if (calls[i].op == DrawnCall::Op::Text && calls[i].text == number &&
                calls[i - 1].op == DrawnCall::Op::Ellipse) {
                return calls[i - 1].brush;
            }
        }
        return {};
    }

    QString LastText(const QString& prefix) const {
        const auto found = recording_.TextsStartingWith(prefix);
        return found.empty() ? QString() : found.back()->text;
    }

    CViewerDialog dialog_;
    RecordingDrawing recording_;
};

TEST_F(ViewerScreenTest, GsvGroupOfThreeDrawsOnceAfterTheThird) {
    Feed(Sentence("GPGSV,3,1,09,01,45,000,40,02,45,090,41,03,45,180,42,04,45,270,43"));
    Feed(Sentence("GPGSV,3,2,09,05,10,000,30,06,10,090,31,07,10,180,32,08,10,270,33"));
    EXPECT_EQ(Count(DrawnCall::Op::Copy, Plane::Screen), 0);
    Feed(Sentence("GPGSV,3,3,09,09,80,045,50"));
    // One sky plot copy and one bar chart copy; nine circles, nine bars.
    EXPECT_EQ(Count(DrawnCall::Op::Copy, Plane::Screen), 2);
    EXPECT_EQ(Count(DrawnCall::Op::Ellipse, Plane::Memory), 2 + 9);
    EXPECT_EQ(Count(DrawnCall::Op::Rectangle, Plane::Memory), 2 + 9);
    // Satellite 1, 45° up due north: its circle sits above the plot's centre.
    const auto one = recording_.TextsStartingWith(QStringLiteral(" 1"));
    ASSERT_FALSE(one.empty());
    EXPECT_EQ(one.front()->rect, Box(48, 43 - 28, 65, 60 - 28));
}

TEST_F(ViewerScreenTest, SatelliteLeavingTheSolutionTurnsWhiteAfterTheNextGsa) {
    const std::string sky = Sentence("GPGSV,1,1,02,05,45,000,40,07,30,090,35");
    Feed(Sentence("GPGSA,A,3,05,07,,,,,,,,,,,2.0,1.0,1.5"));
    Feed(sky);
    EXPECT_EQ(SkyCircleOf(QStringLiteral(" 5")), kBlue);
    recording_.Clear();
    Feed(Sentence("GPGSA,A,3,07,,,,,,,,,,,,2.0,1.0,1.5"));
    Feed(sky);
    EXPECT_EQ(SkyCircleOf(QStringLiteral(" 5")), kWhite);
    EXPECT_EQ(SkyCircleOf(QStringLiteral(" 7")), kBlue);
    // Without a fix no satellite is blue.
    recording_.Clear();
    Feed(Sentence("GPGSA,A,1,07,,,,,,,,,,,,2.0,1.0,1.5"));
    Feed(sky);
    EXPECT_EQ(SkyCircleOf(QStringLiteral(" 7")), kWhite);
    EXPECT_EQ(LastText(QStringLiteral("Mode")), QStringLiteral("Mode  None  "));
}

TEST_F(ViewerScreenTest, MoreThanThirteenInViewGiveThirteenBarsAndTheRestWait) {
    std::string group;
    for (int sentence = 0; sentence < 4; ++sentence) {
        std::string body = "GPGSV,4," + std::to_string(sentence + 1) + ",15";
        for (int k = 0; k < 4 && sentence * 4 + k < 15; ++k) {
            body += "," + std::to_string(sentence * 4 + k + 1) + ",30,100,35";
        }
        group += Sentence(body);
    }
    Feed(group);
    EXPECT_EQ(Count(DrawnCall::Op::Rectangle, Plane::Memory), 2 + 13);
    EXPECT_TRUE(dialog_.record().satellites[14].inView);
    EXPECT_TRUE(dialog_.record().satellites[15].inView);
    EXPECT_FALSE(dialog_.record().satellites[13].inView);
    // The next group with nobody new draws the two that waited.
    recording_.Clear();
    Feed(Sentence("GPGSV,1,1,00"));
    EXPECT_EQ(Count(DrawnCall::Op::Rectangle, Plane::Memory), 2 + 2);
    EXPECT_EQ(LastText(QStringLiteral("15")), QStringLiteral("15"));
}

TEST_F(ViewerScreenTest, LocalTimeWrapsPastMidnightAndTheDateFollows) {
    Feed(Sentence("GPGGA,235959,5130.0000,N,01530.0000,E,1,08,1.0,100.0,M,20.0,M,,"));
    EXPECT_EQ(LastText(QStringLiteral("Altitude")), QStringLiteral("Altitude     120.00  "));
    Feed(Sentence("GPRMC,235959,A,5130.0000,N,01530.0000,E,10.0,45.5,080626,,"));
    EXPECT_EQ(LastText(QStringLiteral("Time")), QStringLiteral("Time  00:59:59  "));
    EXPECT_EQ(LastText(QStringLiteral("Date")), QStringLiteral("Date  2026/06/09  "));
    EXPECT_EQ(LastText(QStringLiteral("Speed")), QStringLiteral("Speed 18.5 Km/h  "));
    EXPECT_EQ(LastText(QStringLiteral("Course")), QString::fromUtf8("Course  45.5°   "));
    Feed(Sentence("GPRMC,220000,A,5130.0000,N,01530.0000,E,10.0,45.5,090626,,"));
    EXPECT_EQ(LastText(QStringLiteral("Time")), QStringLiteral("Time  23:00:00  "));
    EXPECT_EQ(LastText(QStringLiteral("Date")), QStringLiteral("Date  2026/06/09  "));
    const DrawnCall* date = recording_.TextsStartingWith(QStringLiteral("Date")).back();
    EXPECT_EQ(date->rect, Box(5, 57, 120, 70));
    EXPECT_EQ(date->fg, QColor(0, 0, 0));
}

TEST_F(ViewerScreenTest, PositionDopsAndCounterFromGsa) {
    Feed(Sentence("GPGGA,120000,3540.8742,N,13946.0275,E,1,08,01.4,00040.0,M,036.7,M,,"));
    Feed(Sentence("GPRMC,120000,A,3540.8742,N,13946.0275,E,000.1,214.0,010626,,"));
    Feed(Sentence("GPGSA,A,3,04,10,,,,,,,,,,,03.2,01.4,02.8"));
    EXPECT_EQ(LastText(QStringLiteral("N ")), QString::fromUtf8("N  35°40'52.45  "));
    EXPECT_EQ(LastText(QStringLiteral("E ")), QString::fromUtf8("E 139°46'1.65  "));
    EXPECT_EQ(LastText(QStringLiteral("PDOP")), QStringLiteral("PDOP  3.20   "));
    EXPECT_EQ(LastText(QStringLiteral("HDOP")), QStringLiteral("HDOP  1.40   "));
    EXPECT_EQ(LastText(QStringLiteral("Mode")), QStringLiteral("Mode  3D     "));
    EXPECT_EQ(LastText(QStringLiteral("0s")), QStringLiteral("0s"));
    // Every text of the screen fits its rectangle (trailing blanks aside).
    for (const DrawnCall& c : recording_.calls()) {
        if (c.op == DrawnCall::Op::Text) {
            EXPECT_LE(c.extent.height(), c.rect.height()) << c.text.toStdString();
        }
    }
}

TEST_F(ViewerScreenTest, BadLinesAreShownAndNothingElse) {
    // An upper-case checksum is as good as a lower-case one; a wrong one is only listed.
    Feed(Sentence("GPGSA,A,2,,,,,,,,,,,,,2.0,1.0,1.5", true));
    EXPECT_EQ(LastText(QStringLiteral("Mode")), QStringLiteral("Mode  2D     "));
    std::string bad = Sentence("GPGSA,A,3,,,,,,,,,,,,,2.0,1.0,1.5");
    bad[bad.find('*') + 1] = 'F';
    recording_.Clear();
    Feed(bad);
    EXPECT_TRUE(recording_.calls().empty());
    EXPECT_EQ(dialog_.StatusLines().back().toStdString(), bad.substr(0, bad.size() - 2));
    // A line longer than the line buffer is dropped whole; the next line is read as usual.
    Feed(std::string(300, 'x') + Sentence("GPGSA,A,3,,,,,,,,,,,,,2.0,1.0,1.5"));
    EXPECT_TRUE(recording_.calls().empty());
    EXPECT_TRUE(dialog_.StatusLines().contains(QStringLiteral("Line too long, dropped")));
    Feed(Sentence("GPGSA,A,3,,,,,,,,,,,,,2.0,1.0,1.5"));
    EXPECT_EQ(LastText(QStringLiteral("Mode")), QStringLiteral("Mode  3D     "));
}

TEST_F(ViewerScreenTest, StaticScreenLeavesNoPieceOfTheLiveTexts) {
    // Values long enough to run past the static rectangles in this font.
    Feed(Sentence("GPGGA,120000,3540.8742,N,13946.0275,E,1,08,1.0,999912363.8,M,20.0,M,,"));
    Feed(Sentence("GPRMC,120000,A,3540.8742,N,13946.0275,E,99966.4147,249.8,010626,,"));
    Feed(Sentence("GPGSA,A,3,04,10,,,,,,,,,,,03.2,01.4,02.8"));
    // Where the live texts reach past the static rectangles (Speed 100 to 120, Course 85 to
    // 100, Altitude 120 to 150), something is drawn now...
    const QImage& screen = dialog_.imageDrawing().screen();
    const auto inked = [&screen](int left, int top, int right, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (screen.pixelColor(x, y) != kWhite) {
                    return true;
                }
            }
        }
        return false;
    };
    ASSERT_TRUE(inked(100, 96, 120, 109));
    ASSERT_TRUE(inked(120, 155, 150, 168));
    // ...and nothing once Close brings the static screen back.
    dialog_.OnClose();
    dialog_.OnTimer();
    EXPECT_FALSE(inked(100, 96, 120, 109));
    EXPECT_FALSE(inked(85, 109, 100, 122));
    EXPECT_FALSE(inked(120, 155, 150, 168));
    EXPECT_FALSE(inked(90, 122, 100, 135));
}

TEST(ViewerCommandDialog, ReturnSendsTheFieldAndOnlyAChosenEntryIsCopied) {
    CCommandDialog dialog;
    dialog.show();
    // The list taking the focus makes its first row current; that is not a choice.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(dialog.commandList(), &focus);
    EXPECT_TRUE(dialog.editField()->text().isEmpty());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(dialog.commandList(), &press);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.command().isEmpty());
    // Choosing an entry copies it; the user may then change it.
    CCommandDialog chosen;
    chosen.commandList()->setCurrentRow(2, QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(chosen.command(), QStringLiteral("@GSV 1 "));
    chosen.editField()->setText(QStringLiteral("@GSV 0 "));
    EXPECT_EQ(chosen.command(), QStringLiteral("@GSV 0 "));
}

}  // namespace
}  // namespace orbexce
