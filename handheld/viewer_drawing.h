// The viewer's drawing interface. Everything is drawn either straight onto the screen or onto
// the 280 x 400 memory surface, where the sky plot and the signal bars are composed before
// they are copied to the screen in one piece. ImageDrawing draws for real; RecordingDrawing
// keeps every call so that tests and orbexce-render can say what was drawn where.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace orbexce {

enum class Plane { Screen, Memory };

inline constexpr QSize kMemorySize(280, 400);

// Rectangles are given as the system gives them: left, top, right, bottom, with right and
// bottom outside the rectangle.
inline QRect Box(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

class ViewerDrawing {
  public:
    virtual ~ViewerDrawing() = default;

    virtual void Fill(Plane plane, const QRect& rect, const QColor& color) = 0;
    // Outline with the pen, inside with the brush.
    virtual void Rectangle(Plane plane, const QRect& rect, const QColor& pen,
                           const QColor& brush) = 0;
    virtual void Ellipse(Plane plane, const QRect& rect, const QColor& pen,
                         const QColor& brush) = 0;
    // One line of text from the rectangle's top-left corner, clipped to the rectangle. With a
    // background colour (opaque) the text's own cells are filled first; an invalid QColor
    // leaves the background as it is.
    virtual void Text(Plane plane, const QRect& rect, const QString& text, const QColor& fg,
                      const QColor& bg) = 0;
    // Copies the area `source` of the memory surface to the screen with its top-left at `to`.
    virtual void CopyToScreen(const QRect& source, QPoint to) = 0;
    // The size of a text in the font the texts are drawn in.
    virtual QSize TextExtent(const QString& text) const = 0;
};

}  // namespace orbexce
