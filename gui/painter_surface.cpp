#include "gui/painter_surface.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPixmap>

namespace orbex {

PainterSurface::PainterSurface(QPainter& painter, TextCache* texts)
    : painter_(painter), texts_(texts) {}

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
    if (texts_ == nullptr) {
        const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
        if (bg.isValid()) {
            painter_.fillRect(box, bg);
        }
        painter_.setPen(fg);
        painter_.drawText(QPoint(x, y + metrics.ascent()), text);
        return;
    }
    const TextCache::Entry& cached = texts_->Get(painter_.font(), text);
    if (bg.isValid()) {
        painter_.fillRect(QRect(x, y, cached.width, metrics.height()), bg);
    }
    painter_.setPen(fg);
    // A laid-out text is placed by its top, one exact ascent above its baseline; the baseline
    // stays on the whole pixel that drawText puts it on.
    const qreal top = y + metrics.ascent() - QFontMetricsF(painter_.font()).ascent();
    painter_.drawStaticText(QPointF(x, top), cached.shaped);
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

void PainterSurface::Layer(StaticLayer& layer, QSize size, std::uint64_t key,
                           const StaticLayer::Draw& draw) {
    // The image is made for the device's own pixels: a painter that scales or shears (a
    // printout, a zoomed preview) gets the calls themselves.
    const QPaintDevice* device =
        painter_.paintEngine() != nullptr ? painter_.paintEngine()->paintDevice() : nullptr;
    if (device == nullptr || painter_.worldTransform().type() > QTransform::TxTranslate) {
        draw(*this);
        return;
    }
    // The layer takes the format of the image painted on (a window's backing store, a grab),
    // so that its text is smoothed exactly as if drawn there.
    QImage::Format format = QImage::Format_RGB32;
    if (device->devType() == QInternal::Image) {
        format = static_cast<const QImage*>(device)->format();
    } else if (device->devType() == QInternal::Pixmap) {
        format = static_cast<const QPixmap*>(device)->hasAlphaChannel()
                     ? QImage::Format_ARGB32_Premultiplied
                     : QImage::Format_RGB32;
    }
    painter_.drawImage(QPoint(0, 0),
                       layer.Image(size, device->devicePixelRatio(), format, key, draw));
}

void PainterSurface::SetFont(const QFont& font) {
    painter_.setFont(font);
}

QSize PainterSurface::TextExtent(const QString& text) const {
    const QFontMetrics metrics(painter_.font());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

}  // namespace orbex
