#include "app/main_picture.h"

#include <QPainter>
#include <QPolygon>

#include "gui/painter_surface.h"

namespace orbex {

namespace {

QRect Ltrb(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

constexpr std::array<const char*, 5> kEntryTexts = {
    "General Information", "Satellite Constellation", "Position Plot", "Console", "Software Reset"};

QFont PictureFont(const char* family, int pixels, bool bold) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Vertical gradient in one-pixel rows from top colour to bottom colour.
void Gradient(DrawSurface& surface, const QRect& area, const QColor& top, const QColor& bottom) {
    const int rows = area.height();
    for (int y = 0; y < rows; ++y) {
        const double t = rows > 1 ? static_cast<double>(y) / (rows - 1) : 0.0;
        QColor c = QColor::fromRgbF(top.redF() + t * (bottom.redF() - top.redF()),
                                    top.greenF() + t * (bottom.greenF() - top.greenF()),
                                    top.blueF() + t * (bottom.blueF() - top.blueF()));
        surface.Fill(QRect(area.left(), area.top() + y, area.width(), 1), c);
    }
}

// The globe with its orbits and four satellites, in the lower half of the picture.
void DrawGlobe(DrawSurface& surface) {
    const QColor line(90, 140, 210);
    const QRect globe(120, 190, 120, 120);
    surface.Ellipse(globe, QColor(120, 170, 230), QColor(16, 40, 96));
    surface.Ellipse(globe.adjusted(30, 0, -30, 0), line, NoColor());
    surface.Ellipse(globe.adjusted(0, 30, 0, -30), line, NoColor());
    surface.Line(QPoint(180, 190), QPoint(180, 309), line);
    surface.Line(QPoint(120, 250), QPoint(239, 250), line);
    const QColor orbit(200, 170, 80);
    surface.Ellipse(QRect(60, 225, 240, 50), orbit, NoColor());
    surface.Ellipse(QRect(95, 160, 170, 180), QColor(150, 120, 60), NoColor());
    const std::array<QPoint, 4> satellites = {QPoint(62, 246), QPoint(292, 257), QPoint(178, 161),
                                              QPoint(205, 336)};
    for (QPoint s : satellites) {
        surface.Rectangle(QRect(s.x() - 3, s.y() - 3, 7, 7), QColor(255, 230, 140),
                          QColor(255, 200, 60));
        surface.Line(QPoint(s.x() - 8, s.y()), QPoint(s.x() + 8, s.y()), QColor(170, 200, 255));
    }
}

QImage Render(int width, int height, void (*draw)(DrawSurface&)) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PainterSurface surface(painter);
    draw(surface);
    return image;
}

}  // namespace

const std::array<HotRectangle, 6>& HotRectangles() {
    static const std::array<HotRectangle, 6> table = {{
        {Ltrb(15, 63, 340, 75), 40001},
        {Ltrb(15, 80, 340, 92), 40002},
        {Ltrb(15, 96, 340, 108), 40003},
        {Ltrb(15, 112, 340, 124), 40004},
        {Ltrb(15, 128, 340, 140), 40028},
        {Ltrb(22, 352, 67, 370), 0},
    }};
    return table;
}

void DrawMainPicture(DrawSurface& surface) {
    const QRect all(0, 0, kPictureWidth, kPictureHeight);
    Gradient(surface, all, QColor(4, 10, 48), QColor(10, 34, 96));
    surface.Rectangle(all, QColor(70, 100, 170), NoColor());

    surface.SetFont(PictureFont("Times New Roman", 30, true));
    surface.TextInRect(QRect(0, 8, kPictureWidth, 36), Qt::AlignCenter,
                       QStringLiteral("Orbex 2003"), QColor(255, 214, 90), NoColor());
    surface.SetFont(PictureFont("Times New Roman", 12, false));
    surface.TextInRect(QRect(0, 42, kPictureWidth, 14), Qt::AlignCenter,
                       QStringLiteral("Evaluation and monitoring for the VM8140"),
                       QColor(180, 200, 240), NoColor());

    surface.SetFont(PictureFont("Times New Roman", 11, true));
    for (std::size_t i = 0; i < kEntryTexts.size(); ++i) {
        const QRect rect = HotRectangles()[i].rect;
        surface.Fill(rect, QColor(14, 30, 84));
        surface.Fill(QRect(rect.left() + 4, rect.top() + 3, 6, 6), QColor(255, 200, 60));
        surface.TextInRect(rect.adjusted(16, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                           QString::fromLatin1(kEntryTexts[i]), QColor(235, 240, 255), NoColor());
        surface.TextInRect(rect.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(i + 1), QColor(140, 160, 210), NoColor());
    }
    surface.Line(QPoint(15, 150), QPoint(339, 150), QColor(70, 100, 170));

    DrawGlobe(surface);

    const QRect exitArea = HotRectangles()[5].rect;
    surface.Rectangle(exitArea, QColor(200, 210, 240), QColor(120, 24, 24));
    surface.SetFont(PictureFont("Times New Roman", 12, true));
    surface.TextInRect(exitArea, Qt::AlignCenter, QStringLiteral("EXIT"), QColor(255, 255, 255),
                       NoColor());

    surface.SetFont(PictureFont("Times New Roman", 11, false));
    surface.TextInRect(QRect(80, 352, 266, 18), Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("for VM8140  Version 1.04"), QColor(180, 200, 240),
                       NoColor());
    surface.TextInRect(
        QRect(0, 400, kPictureWidth, 30), Qt::AlignCenter,
        QStringLiteral("Keys 1-5  A: Velocity  H: Signals  S: Assist  T: TTFF  End: exit"),
        QColor(120, 140, 190), NoColor());
}

void DrawHandCursor(DrawSurface& surface) {
    // A pointing hand: the index finger up, three folded fingers, the thumb on the left.
    const QColor outline(0, 0, 0);
    const QColor skin(255, 255, 255);
    surface.Rectangle(QRect(8, 0, 4, 14), outline, skin);   // index finger
    surface.Rectangle(QRect(11, 8, 4, 8), outline, skin);   // middle
    surface.Rectangle(QRect(14, 9, 4, 7), outline, skin);   // ring
    surface.Rectangle(QRect(17, 10, 4, 6), outline, skin);  // little
    surface.Rectangle(QRect(3, 12, 6, 4), outline, skin);   // thumb
    surface.Rectangle(QRect(6, 15, 15, 9), outline, skin);  // palm
    surface.Fill(QRect(9, 14, 11, 2), skin);                // join fingers and palm
}

void DrawProgramIcon(DrawSurface& surface) {
    surface.Ellipse(QRect(2, 2, 60, 60), QColor(90, 140, 210), QColor(10, 34, 96));
    surface.Ellipse(QRect(18, 18, 28, 28), QColor(120, 170, 230), QColor(30, 80, 160));
    surface.Ellipse(QRect(6, 24, 52, 16), QColor(255, 200, 60), NoColor());
    surface.Rectangle(QRect(48, 14, 8, 8), QColor(255, 230, 140), QColor(255, 200, 60));
}

QImage RenderMainPicture() {
    return Render(kPictureWidth, kPictureHeight, DrawMainPicture);
}
QImage RenderHandCursor() {
    return Render(32, 32, DrawHandCursor);
}
QImage RenderProgramIcon() {
    return Render(64, 64, DrawProgramIcon);
}

}  // namespace orbex
