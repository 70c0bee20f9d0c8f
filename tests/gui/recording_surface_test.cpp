#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "gui/monitor_font.h"
#include "gui/painter_surface.h"
#include "gui/recording_surface.h"

namespace orbex {
namespace {

TEST(RecordingSurface, WritesOneJsonObjectPerCallInDrawingOrder) {
    RecordingSurface surface;
    surface.SetFont(MonitorFont(16));
    surface.TextOut(5, 20, QStringLiteral("  Latitude : \"N\""), Qt::white, Qt::black);
    surface.Ellipse(QRect(QPoint(10, 20), QPoint(29, 39)), QColor(255, 0, 0), NoColor());
    surface.SetTag(QStringLiteral("skyplot"));
    surface.Line(QPoint(0, 0), QPoint(3, 4), QColor(0, 128, 255), 2);
    surface.Item(QStringLiteral("|tab\there"));

    const QStringList lines = surface.ToJsonLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              "{\"op\":\"text\",\"x\":5,\"y\":20,\"text\":\"  Latitude : \\\"N\\\"\","
              "\"fg\":\"#FFFFFF\",\"bg\":\"#000000\"}");
    // Rectangles are left, top, right, bottom with right and bottom exclusive.
    EXPECT_EQ(lines[1],
              "{\"op\":\"ellipse\",\"rect\":[10,20,30,40],\"pen\":\"#FF0000\",\"brush\":null}");
    EXPECT_EQ(lines[2],
              "{\"op\":\"line\",\"child\":\"skyplot\",\"from\":[0,0],\"to\":[3,4],"
              "\"pen\":\"#0080FF\",\"width\":2}");
    EXPECT_EQ(lines[3], "{\"op\":\"item\",\"child\":\"skyplot\",\"text\":\"|tab\\there\"}");
}

TEST(RecordingSurface, EscapesEveryCharacterJsonCannotHoldAsItIs) {
    RecordingSurface surface;
    surface.Item(QStringLiteral("a\\b\"c\nd\re\tf") + QChar(0x01) + QChar(0x1F) +
                 QStringLiteral(" ~"));
    EXPECT_EQ(surface.ToJsonLines().at(0),
              "{\"op\":\"item\",\"text\":\"a\\\\b\\\"c\\nd\\re\\tf\\u0001\\u001f ~\"}");
}

TEST(RecordingSurface, MeasuresTextWithTheFontInUse) {
    RecordingSurface surface;
    surface.SetFont(MonitorFont(16));
    const QSize one = surface.TextExtent(QStringLiteral("0"));
    EXPECT_GT(one.width(), 0);
    EXPECT_EQ(surface.TextExtent(QStringLiteral("iiiiiiiiii")).width(),
              surface.TextExtent(QStringLiteral("WWWWWWWWWW")).width())
        << "the monitor font must be fixed-pitch";
    surface.SetFont(MonitorFont(32));
    EXPECT_GT(surface.TextExtent(QStringLiteral("0")).width(), one.width());
}

// Texts kept laid out from an earlier paint must land on the same pixels as texts drawn afresh,
// in the monitor fonts and in the sky plot's proportional one, with and without a background.
TEST(PainterSurface, CachedTextsDrawTheSamePixelsAsFreshOnes) {
    const auto draw = [](TextCache* cache, int paints) {
        QImage image(420, 140, QImage::Format_RGB32);
        for (int paint = 0; paint < paints; ++paint) {
            image.fill(Qt::black);
            QPainter painter(&image);
            PainterSurface surface(painter, cache);
            int y = 2;
            for (const QFont& font : {MonitorFont(14), MonitorFont(15), MonitorFont(16, true),
                                      CellHeightFont(QStringLiteral("Times New Roman"), 16)}) {
                surface.SetFont(font);
                surface.TextOut(3, y, QStringLiteral("LAT : N  35  40.8742' <b>&"), Qt::white,
                                Qt::black);
                surface.TextOut(250, y + 3, QStringLiteral("SV12 DECODE"), QColor(255, 255, 0),
                                NoColor());
                y += 32;
            }
        }
        return image;
    };
    TextCache cache;
    EXPECT_TRUE(draw(&cache, 2) == draw(nullptr, 1)) << "the second paint draws from the cache";
    EXPECT_EQ(cache.size(), 8);
}

TEST(PainterSurface, InvertTurnsBlackToWhiteInsideTheRectangleOnly) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        PainterSurface surface(painter);
        surface.Invert(QRect(5, 5, 10, 10));
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(14, 14), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(4, 10), QColor(Qt::black));
}

TEST(PainterSurface, OutlinesStayInsideTheirRectangle) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        PainterSurface surface(painter);
        surface.Rectangle(QRect(2, 2, 10, 10), Qt::red, NoColor());
    }
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(11, 11), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(12, 12), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(6, 6), QColor(Qt::black)) << "no brush: the inside stays";
}

}  // namespace
}  // namespace orbex
