// The part of a window's picture that changes only with its size, zoom, font or the like
// (grids, range rings, frames and their letters): drawn once into an image, which every paint
// on screen copies under the changing part instead of drawing it again.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <functional>

namespace orbex {

class DrawSurface;

class StaticLayer {
  public:
    using Draw = std::function<void(DrawSurface& surface)>;

    // The layer's image for a window of `size` logical pixels on a device of `pixelRatio` and
    // `format`. `key` stands for everything else the drawing depends on (a zoom scale, a page);
    // `draw` runs again only when any of these changed or the layer was invalidated.
    const QImage& Image(QSize size, qreal pixelRatio, QImage::Format format, std::uint64_t key,
                        const Draw& draw);
    // Draws the layer again at its next use (a font or colour changed).
    void Invalidate() { image_ = QImage(); }
    // How often the layer was drawn into its image.
    int drawCount() const { return drawCount_; }

  private:
    QImage image_;
    std::uint64_t key_ = 0;
    int drawCount_ = 0;
};

}  // namespace orbex
