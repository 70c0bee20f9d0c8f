// Something that draws itself through the drawing interface. Monitor windows and their drawn
// child windows implement it, so the same code paints the screen, a PNG and a draw log.
#pragma once

#include "gui/draw_surface.h"

namespace orbex {

class Paintable {
  public:
    virtual ~Paintable() = default;
    virtual void Paint(DrawSurface& surface) = 0;
};

}  // namespace orbex
