// Converting plot coordinates to pixels. The zoom keys can take a scale far past the buttons'
// limits, so a product of scale and distance may exceed what an int holds; pixels are clamped
// to a range that stays far off screen and never overflows when offsets are added.
#pragma once

#include <QRect>

namespace orbex {

inline constexpr int kFarPixel = 1 << 24;

// Truncates toward zero like a C conversion, clamped to +-kFarPixel (NaN goes far away).
inline int TruncateToPixel(double value) {
    if (!(value > -kFarPixel)) {
        return -kFarPixel;
    }
    if (value > kFarPixel) {
        return kFarPixel;
    }
    return static_cast<int>(value);
}

// A rectangle given as left, top, right, bottom with right and bottom exclusive.
inline QRect RectFromEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// The square of +-half pixels around a point, as the windows repaint it.
inline QRect SquareAround(QPoint pixel, int half) {
    return RectFromEdges(pixel.x() - half, pixel.y() - half, pixel.x() + half, pixel.y() + half);
}

}  // namespace orbex
