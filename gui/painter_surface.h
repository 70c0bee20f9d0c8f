// DrawSurface on a QPainter: what the windows draw on screen and into PNG files. With a text
// cache, TextOut draws texts laid out at an earlier paint instead of laying them out again.
#pragma once

#include <QPainter>

#include "gui/draw_surface.h"
#include "gui/text_cache.h"

namespace orbex {

class PainterSurface : public DrawSurface {
  public:
    explicit PainterSurface(QPainter& painter, TextCache* texts = nullptr);

    void Fill(const QRect& rect, const QColor& color) override;
    void Rectangle(const QRect& rect, const QColor& pen, const QColor& brush) override;
    void Ellipse(const QRect& rect, const QColor& pen, const QColor& brush) override;
    void Line(QPoint from, QPoint to, const QColor& pen, int width) override;
    void TextOut(int x, int y, const QString& text, const QColor& fg, const QColor& bg) override;
    void TextInRect(const QRect& rect, int alignment, const QString& text, const QColor& fg,
                    const QColor& bg) override;
    void Bitmap(QPoint topLeft, const QImage& image) override;
    void Invert(const QRect& rect) override;
    void Layer(StaticLayer& layer, QSize size, std::uint64_t key,
               const StaticLayer::Draw& draw) override;
    void SetFont(const QFont& font) override;
    QSize TextExtent(const QString& text) const override;

  private:
    void UsePen(const QColor& pen, int width = 1);
    void UseBrush(const QColor& brush);

    QPainter& painter_;
    TextCache* texts_;
};

}  // namespace orbex
