// The drawing interface every picture of Orbex is drawn through: the main window's picture and
// every monitor window. QPainterSurface draws on screen; RecordingSurface keeps each call so
// that tests and orbex-render can check what was drawn where, in which colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>

#include "gui/static_layer.h"

namespace orbex {

// No colour (a null brush or a transparent pen).
inline QColor NoColor() {
    return QColor();
}

class DrawSurface {
  public:
    virtual ~DrawSurface() = default;

    // Fills a rectangle (left, top inclusive; right, bottom exclusive, as QRect's width()).
    virtual void Fill(const QRect& rect, const QColor& color) = 0;
    // Outline with pen colour, inside with brush colour (NoColor() for none).
    virtual void Rectangle(const QRect& rect, const QColor& pen, const QColor& brush) = 0;
    virtual void Ellipse(const QRect& rect, const QColor& pen, const QColor& brush) = 0;
    virtual void Line(QPoint from, QPoint to, const QColor& pen, int width = 1) = 0;
    // Text with its top-left at (x, y), foreground and background (NoColor() = transparent).
    virtual void TextOut(int x, int y, const QString& text, const QColor& fg, const QColor& bg) = 0;
    // Text in a rectangle with Qt alignment flags.
    virtual void TextInRect(const QRect& rect, int alignment, const QString& text, const QColor& fg,
                            const QColor& bg) = 0;
    virtual void Bitmap(QPoint topLeft, const QImage& image) = 0;
    // Inverts the colours inside the rectangle (destination invert).
    virtual void Invert(const QRect& rect) = 0;

    // The calls of `draw`, the window's unchanging layer for `key` (see StaticLayer), over a
    // window of `size`. A recording gets every call as if drawn directly; a painter copies the
    // layer's image, drawn only when the size or the key changed.
    virtual void Layer(StaticLayer& layer, QSize size, std::uint64_t key,
                       const StaticLayer::Draw& draw) {
        (void)layer;
        (void)size;
        (void)key;
        draw(*this);
    }

    // The font for the following text calls, and the extent of a text in it.
    virtual void SetFont(const QFont& font) = 0;
    virtual QSize TextExtent(const QString& text) const = 0;
};

}  // namespace orbex
