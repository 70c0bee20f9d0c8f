#include "gui/static_layer.h"

#include <QPainter>
#include <cmath>

#include "gui/painter_surface.h"

namespace orbex {

const QImage& StaticLayer::Image(QSize size, qreal pixelRatio, QImage::Format format,
                                 std::uint64_t key, const Draw& draw) {
    const QSize pixels(static_cast<int>(std::ceil(size.width() * pixelRatio)),
                       static_cast<int>(std::ceil(size.height() * pixelRatio)));
    if (!image_.isNull() && image_.size() == pixels && image_.devicePixelRatio() == pixelRatio &&
        image_.format() == format && key_ == key) {
        return image_;
    }
    image_ = QImage(pixels, format);
    image_.setDevicePixelRatio(pixelRatio);
    // Whatever the drawing leaves untouched stays transparent (or black on an opaque format),
    // as a window's own background would show through.
    image_.fill(Qt::transparent);
    key_ = key;
    ++drawCount_;
    QPainter painter(&image_);
    PainterSurface surface(painter);
    draw(surface);
    return image_;
}

}  // namespace orbex
