// What each drawing call of a picture can touch: its area and a digest of everything that
// decides its pixels (operation, place, colours, text, font, image). Two pictures drawn by
// the same code can then be compared call by call, and only the area whose pixels may differ
// repainted, instead of the whole window after every received line.
#pragma once

#include <QFont>
#include <QRegion>
#include <cstdint>
#include <vector>

#include "gui/draw_surface.h"

namespace orbex {

class TextCache;

struct PaintMark {
    QRect area;
    std::uint64_t digest = 0;

    bool operator==(const PaintMark& other) const = default;
};

// Keeps a PaintMark for every call and, when given a target, draws the call there too. An
// unchanging layer is one mark over the whole layer (its key and size stand for its drawing).
class MarkSurface : public DrawSurface {
  public:
    // Without a target the calls are only marked; text widths come from `texts` when given.
    // `font` is the one text is drawn in until SetFont (a painter starts with its widget's).
    explicit MarkSurface(DrawSurface* target = nullptr, TextCache* texts = nullptr,
                         const QFont& font = QFont());

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

    const std::vector<PaintMark>& marks() const { return marks_; }
    std::vector<PaintMark> TakeMarks() { return std::move(marks_); }

  private:
    void Mark(const QRect& area, std::uint64_t digest);
    void UseFont(const QFont& font);
    int TextWidth(const QString& text) const;

    DrawSurface* target_;
    TextCache* texts_;
    std::vector<PaintMark> marks_;
    QFont font_;
    std::uint64_t fontDigest_ = 0;
    int fontHeight_ = 0;
};

// The area whose pixels may differ between the picture marked `before` and the one marked
// `after`, both drawn from the same starting pixels: a pixel outside it is touched by the
// same calls, in the same order, in both. Calls are compared by their place in the picture,
// so a call added or removed also counts the areas of the calls after it that moved.
QRegion ChangedRegion(const std::vector<PaintMark>& before, const std::vector<PaintMark>& after);

}  // namespace orbex
