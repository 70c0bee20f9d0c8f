// ViewerDrawing onto two images: the screen as the dialog shows it and the memory surface.
#pragma once

#include <QFont>
#include <QImage>

#include "handheld/viewer_drawing.h"

namespace orbexce {

class ImageDrawing : public ViewerDrawing {
  public:
    ImageDrawing(QSize screenSize, const QFont& font);

    void Fill(Plane plane, const QRect& rect, const QColor& color) override;
    void Rectangle(Plane plane, const QRect& rect, const QColor& pen, const QColor& brush) override;
    void Ellipse(Plane plane, const QRect& rect, const QColor& pen, const QColor& brush) override;
    void Text(Plane plane, const QRect& rect, const QString& text, const QColor& fg,
              const QColor& bg) override;
    void CopyToScreen(const QRect& source, QPoint to) override;
    QSize TextExtent(const QString& text) const override;

    const QImage& screen() const { return screen_; }
    const QImage& memory() const { return memory_; }

  private:
    QImage& ImageOf(Plane plane) { return plane == Plane::Screen ? screen_ : memory_; }

    QImage screen_;
    QImage memory_;
    QFont font_;
};

}  // namespace orbexce
