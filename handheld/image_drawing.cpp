#include "handheld/image_drawing.h"

#include <QFontMetrics>
#include <QPainter>

namespace orbexce {
namespace {

// The system's rectangles and ellipses fill the box up to, not including, right and bottom,
// outline included; QPainter's outline of a w x h rectangle covers w + 1 x h + 1 pixels.
QRect OutlineBox(const QRect& rect) {
    return rect.adjusted(0, 0, -1, -1);
}

// As with the system's calls, a box without width or height draws nothing (a bar for an SNR of
// 0 is such a box).
bool IsEmptyBox(const QRect& rect) {
    return rect.width() <= 0 || rect.height() <= 0;
}

void SetPenAndBrush(QPainter& painter, const QColor& pen, const QColor& brush) {
    painter.setPen(pen.isValid() ? QPen(pen, 1) : QPen(Qt::NoPen));
    painter.setBrush(brush.isValid() ? QBrush(brush) : QBrush(Qt::NoBrush));
}

}  // namespace

ImageDrawing::ImageDrawing(QSize screenSize, const QFont& font)
    : screen_(screenSize, QImage::Format_RGB32),
      memory_(kMemorySize, QImage::Format_RGB32),
      font_(font) {
    screen_.fill(Qt::white);
    memory_.fill(Qt::white);
}

void ImageDrawing::Fill(Plane plane, const QRect& rect, const QColor& color) {
    QPainter painter(&ImageOf(plane));
    painter.fillRect(rect, color);
}

void ImageDrawing::Rectangle(Plane plane, const QRect& rect, const QColor& pen,
                             const QColor& brush) {
    if (IsEmptyBox(rect)) {
        return;
    }
    QPainter painter(&ImageOf(plane));
    SetPenAndBrush(painter, pen, brush);
    painter.drawRect(OutlineBox(rect));
}

void ImageDrawing::Ellipse(Plane plane, const QRect& rect, const QColor& pen, const QColor& brush) {
    QPainter painter(&ImageOf(plane));
    SetPenAndBrush(painter, pen, brush);
    painter.drawEllipse(OutlineBox(rect));
}

void ImageDrawing::Text(Plane plane, const QRect& rect, const QString& text, const QColor& fg,
                        const QColor& bg) {
    QPainter painter(&ImageOf(plane));
    painter.setClipRect(rect);
    painter.setFont(font_);
    const QSize extent = TextExtent(text);
    if (bg.isValid()) {
        painter.fillRect(QRect(rect.topLeft(), extent), bg);
    }
    painter.setPen(fg);
    const QFontMetrics metrics(font_);
    painter.drawText(rect.left(), rect.top() + metrics.ascent(), text);
}

void ImageDrawing::CopyToScreen(const QRect& source, QPoint to) {
    QPainter painter(&screen_);
    painter.drawImage(to, memory_, source);
}

QSize ImageDrawing::TextExtent(const QString& text) const {
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

}  // namespace orbexce
