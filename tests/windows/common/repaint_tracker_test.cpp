// Repainting only what new data changed: which area a comparison asks to repaint, that an
// unchanged picture repaints nothing, and that the screen after many partial repaints is
// pixel for pixel the picture a whole paint draws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <QWindow>
#include <vector>

#include "gui/paint_marks.h"
#include "tests/windows/general_info/receiver_lines.h"
#include "windows/common/monitor_window.h"
#include "windows/general_info/general_info_window.h"
#include "windows/satellites/satellite_window.h"

namespace orbex {
namespace {

using test::Decoded;
using test::Gsv;
using test::NativeLine;

// Three texts in a column; Set() changes one as a received line would.
class TextsWindow : public CMonitorWnd {
  public:
    TextsWindow() : CMonitorWnd(99, QStringLiteral("texts")) { resize(300, 200); }
    void Set(int i, const QString& text) {
        texts[i] = text;
        RepaintChanged();
    }
    void Paint(DrawSurface& surface) override {
        for (int i = 0; i < 3; ++i) {
            surface.TextOut(10, 10 + 40 * i, texts[i], Qt::white, Qt::black);
        }
    }
    QRect Row(int i) const { return QRect(0, 10 + 40 * i, width(), 20); }

    QString texts[3] = {QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")};
    std::vector<QRegion> painted;

  protected:
    void paintEvent(QPaintEvent* event) override {
        painted.push_back(event->region());
        CMonitorWnd::paintEvent(event);
    }
};

// Runs the queued comparisons and the repaints they ask for.
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

bool Exposed(QWidget& window) {
    window.show();
    for (int i = 0; i < 100 && !window.windowHandle()->isExposed(); ++i) {
        QApplication::processEvents();
    }
    Settle();
    return window.windowHandle()->isExposed();
}

TEST(RepaintTrackerTest, OnlyTheChangedTextIsRepaintedAndAnUnchangedOneNotAtAll) {
    TextsWindow window;
    ASSERT_TRUE(Exposed(window));
    window.Set(0, QStringLiteral("first"));  // starts tracking: one whole paint
    Settle();
    window.painted.clear();

    window.Set(1, QStringLiteral("SECOND, longer"));
    window.Set(1, QStringLiteral("second, longer"));  // one comparison for both
    Settle();
    ASSERT_EQ(window.painted.size(), 1u);
    const QRegion& area = window.painted[0];
    EXPECT_TRUE(area.intersects(window.Row(1)));
    EXPECT_FALSE(area.intersects(window.Row(0)));
    EXPECT_FALSE(area.intersects(window.Row(2)));

    window.painted.clear();
    window.Set(2, QStringLiteral("third"));
    Settle();
    EXPECT_TRUE(window.painted.empty());
}

TEST(RepaintTrackerTest, APaintThatMissedAChangeIsFollowedByAWholePaint) {
    TextsWindow window;
    ASSERT_TRUE(Exposed(window));
    window.Set(0, QStringLiteral("first"));
    Settle();
    window.painted.clear();

    // The data changes, and a paint of another area comes before the comparison.
    window.texts[2] = QStringLiteral("changed");
    window.repaint(window.Row(0));
    Settle();
    ASSERT_EQ(window.painted.size(), 2u);
    EXPECT_EQ(window.painted[1], QRegion(window.rect()));
}

TEST(RepaintTrackerTest, ChangedRegionSeesColoursImagesAndRemovedCalls) {
    QImage a(8, 8, QImage::Format_RGB32);
    a.fill(Qt::red);
    QImage b(8, 8, QImage::Format_RGB32);
    b.fill(Qt::blue);
    const auto marks = [&](const QColor& fill, const QImage& image, bool line) {
        MarkSurface surface;
        surface.Fill(QRect(0, 0, 10, 10), fill);
        surface.Bitmap(QPoint(50, 50), image);
        if (line) {
            surface.Line(QPoint(100, 100), QPoint(120, 100), Qt::green, 1);
        }
        return surface.TakeMarks();
    };
    EXPECT_TRUE(ChangedRegion(marks(Qt::red, a, true), marks(Qt::red, a, true)).isEmpty());
    EXPECT_EQ(ChangedRegion(marks(Qt::red, a, true), marks(Qt::black, a, true)),
              QRegion(0, 0, 10, 10));
    EXPECT_EQ(ChangedRegion(marks(Qt::red, a, true), marks(Qt::red, b, true)),
              QRegion(50, 50, 8, 8));
    EXPECT_TRUE(ChangedRegion(marks(Qt::red, a, true), marks(Qt::red, a, false))
                    .contains(QPoint(110, 100)));
}

// The on-screen picture, as the window's backing store holds it.
QImage Screen(QWidget& window) {
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}
QImage WholePaint(QWidget& window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(RepaintTrackerTest, AfterPartialRepaintsTheScreenIsTheWholePicture) {
    LineDecoder decoder;
    CGeneralInfoWnd info(decoder);
    CSatelliteWnd satellites(decoder);
    ASSERT_TRUE(Exposed(info));
    ASSERT_TRUE(Exposed(satellites));

    std::vector<std::string> lines;
    for (int s = 0; s < 6; ++s) {
        const std::string second = std::to_string(40 + s);
        NativeLine native;
        native.Put(15, second)
            .Put(25, std::to_string(10 + s))
            .Channel(s, s % 2 ? "XAFBC" : "BEJA_");
        lines.push_back(native.Line());
    }
    // The NMEA page and panel replace the native ones, then fewer satellites are in view.
    lines.push_back(test::Gga());
    lines.push_back(Gsv(2, 1, 5, {"05,40,090,45", "12,30,180,38", "17,20,270,30", "20,60,045,41"}));
    lines.push_back(Gsv(2, 2, 5, {"25,10,300,22"}));
    lines.push_back(test::Gga("0"));
    lines.push_back(Gsv(1, 1, 2, {"05,41,091,44", "12,31,181,20"}));
    for (const std::string& line : lines) {
        const ReceiverState record = Decoded(decoder, line);
        info.OnReceiverRecord(record);
        satellites.OnReceiverRecord(record);
        Settle();
        for (QWidget* window : {static_cast<QWidget*>(&info), static_cast<QWidget*>(&satellites)}) {
            const QImage screen = Screen(*window);
            ASSERT_EQ(screen, WholePaint(*window))
                << window->windowTitle().toStdString() << " " << line;
        }
    }
}

}  // namespace
}  // namespace orbex
