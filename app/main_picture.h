// The main window's picture (361 x 443): title, the five entries at the hot rectangles and the
// exit area, drawn through the drawing interface. orbex-draw-resources renders it (with the
// hand cursor and the icon) to the PNG files of the program's resources.
#pragma once

#include <QImage>
#include <QRect>
#include <array>

#include "gui/draw_surface.h"

namespace orbex {

inline constexpr int kPictureWidth = 361;
inline constexpr int kPictureHeight = 443;

struct HotRectangle {
    QRect rect;   // client coordinates; right and bottom edges excluded
    int command;  // the command a click runs, 0 for the exit area
};

// Hot rectangles 1-6 (index 0-5): the five entries, then the exit area.
const std::array<HotRectangle, 6>& HotRectangles();

void DrawMainPicture(DrawSurface& surface);
void DrawHandCursor(DrawSurface& surface);   // 32 x 32, hot spot at (9, 1)
void DrawProgramIcon(DrawSurface& surface);  // 64 x 64

QImage RenderMainPicture();
QImage RenderHandCursor();
QImage RenderProgramIcon();

}  // namespace orbex
