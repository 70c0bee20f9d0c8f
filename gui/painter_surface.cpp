#include "gui/painter_surface.h"

#include <QFontMetrics>

namespace orbex {

PainterSurface::PainterSurface(QPainter& painter) : painter_(painter) {}

void PainterSurface::UsePen(const QColor& pen, int width) {
    if (pen.isValid()) {
        QPen p(pen);
        p.setWidth(width);
        painter_.setPen(p);
    } else {
        painter_.setPen(Qt::NoPen);
    }
}

void PainterSurface::UseBrush(const QColor& brush) {
    painter_.setBrush(brush.isValid() ? QBrush(brush) : QBrush(Qt::NoBrush));
}

void PainterSurface::Fill(const QRect& rect, const QColor& color) {
    painter_.fillRect(rect, color);
}

// Outlines follow the rectangle's edge pixels exactly like a one-pixel GDI pen: the outline
// lies inside [left, right) x [top, bottom).
void PainterSurface::Rectangle(const QRect& rect, const QColor& pen, const QColor& brush) {
    UsePen(pen);
    UseBrush(brush);
    painter_.drawRect(rect.adjusted(0, 0, -1, -1));
}

void PainterSurface::Ellipse(const QRect& rect, const QColor& pen, const QColor& brush) {
    UsePen(pen);
    UseBrush(brush);
    painter_.drawEllipse(rect.adjusted(0, 0, -1, -1));
}

void PainterSurface::Line(QPoint from, QPoint to, const QColor& pen, int width) {
    UsePen(pen, width);
    painter_.drawLine(from, to);
}

void PainterSurface::TextOut(int x, int y, const QString& text, const QColor& fg,
                             const QColor& bg) {
    const QFontMetrics metrics(painter_.font());
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (bg.isValid()) {
        painter_.fillRect(box, bg);
    }
    painter_.setPen(fg);
    painter_.drawText(QPoint(x, y + metrics.ascent()), text);
}

void PainterSurface::TextInRect(const QRect& rect, int alignment, const QString& text,
                                const QColor& fg, const QColor& bg) {
    if (bg.isValid()) {
        painter_.fillRect(rect, bg);
    }
    painter_.setPen(fg);
    painter_.drawText(rect, alignment, text);
}

void PainterSurface::Bitmap(QPoint topLeft, const QImage& image) {
    painter_.drawImage(topLeft, image);
}

void PainterSurface::Invert(const QRect& rect) {
    const auto mode = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter_.fillRect(rect, Qt::white);
    painter_.setCompositionMode(mode);
}

void PainterSurface::SetFont(const QFont& font) {
    painter_.setFont(font);
}

QSize PainterSurface::TextExtent(const QString& text) const {
    const QFontMetrics metrics(painter_.font());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

}  // namespace orbex
