#include "gui/paint_marks.h"

#include <QFontMetrics>
#include <QHashFunctions>
#include <algorithm>

#include "gui/text_cache.h"

namespace orbex {
namespace {

enum class MarkOp : std::uint64_t {
    Fill = 1,
    Rectangle,
    Ellipse,
    Line,
    Text,
    TextInRect,
    Bitmap,
    Invert,
    Layer
};

// One round of a 64-bit mixer (splitmix64's finaliser) over the digest so far and a value.
std::uint64_t Mix(std::uint64_t digest, std::uint64_t value) {
    std::uint64_t z = digest ^ (value + 0x9E3779B97F4A7C15ULL + (digest << 6) + (digest >> 2));
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t Mix(std::uint64_t digest, const QRect& rect) {
    digest = Mix(digest, static_cast<std::uint32_t>(rect.x()) |
                             (std::uint64_t{static_cast<std::uint32_t>(rect.y())} << 32));
    return Mix(digest, static_cast<std::uint32_t>(rect.width()) |
                           (std::uint64_t{static_cast<std::uint32_t>(rect.height())} << 32));
}

std::uint64_t Mix(std::uint64_t digest, const QColor& color) {
    // An invalid colour (no pen, no brush) differs from every valid one.
    return Mix(digest, color.isValid() ? color.rgba64() : ~std::uint64_t{0});
}

std::uint64_t Mix(std::uint64_t digest, const QString& text) {
    return Mix(Mix(digest, static_cast<std::uint64_t>(text.size())),
               static_cast<std::uint64_t>(qHash(text)));
}

std::uint64_t Start(MarkOp op) {
    return Mix(0, static_cast<std::uint64_t>(op));
}

// Room around a text's box for glyphs that reach past their advance or above the ascent.
QRect TextArea(const QRect& box, int fontHeight) {
    const int side = std::max(2, fontHeight / 2);
    return box.adjusted(-side, -2, side, 2);
}

}  // namespace

MarkSurface::MarkSurface(DrawSurface* target, TextCache* texts, const QFont& font)
    : target_(target), texts_(texts) {
    UseFont(font);
}

void MarkSurface::UseFont(const QFont& font) {
    font_ = font;
    fontDigest_ = Mix(0, font.key());
    fontHeight_ = QFontMetrics(font).height();
}

void MarkSurface::Mark(const QRect& area, std::uint64_t digest) {
    marks_.push_back({area, digest});
}

void MarkSurface::Fill(const QRect& rect, const QColor& color) {
    Mark(rect, Mix(Mix(Start(MarkOp::Fill), rect), color));
    if (target_ != nullptr) {
        target_->Fill(rect, color);
    }
}

void MarkSurface::Rectangle(const QRect& rect, const QColor& pen, const QColor& brush) {
    Mark(rect, Mix(Mix(Mix(Start(MarkOp::Rectangle), rect), pen), brush));
    if (target_ != nullptr) {
        target_->Rectangle(rect, pen, brush);
    }
}

void MarkSurface::Ellipse(const QRect& rect, const QColor& pen, const QColor& brush) {
    Mark(rect.adjusted(-1, -1, 1, 1), Mix(Mix(Mix(Start(MarkOp::Ellipse), rect), pen), brush));
    if (target_ != nullptr) {
        target_->Ellipse(rect, pen, brush);
    }
}

void MarkSurface::Line(QPoint from, QPoint to, const QColor& pen, int width) {
    const int reach = std::max(1, width) + 1;
    const QRect area = QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach);
    Mark(area, Mix(Mix(Mix(Start(MarkOp::Line), QRect(from, to)), pen),
                   static_cast<std::uint64_t>(width)));
    if (target_ != nullptr) {
        target_->Line(from, to, pen, width);
    }
}

void MarkSurface::TextOut(int x, int y, const QString& text, const QColor& fg, const QColor& bg) {
    const QRect box(x, y, TextWidth(text), fontHeight_);
    std::uint64_t digest = Mix(Mix(Start(MarkOp::Text), box), text);
    digest = Mix(Mix(Mix(digest, fg), bg), fontDigest_);
    Mark(TextArea(box, fontHeight_), digest);
    if (target_ != nullptr) {
        target_->TextOut(x, y, text, fg, bg);
    }
}

void MarkSurface::TextInRect(const QRect& rect, int alignment, const QString& text,
                             const QColor& fg, const QColor& bg) {
    // Text that may leave its rectangle (Qt::TextDontClip) is marked where it lands.
    const QRect box = rect.united(QFontMetrics(font_).boundingRect(rect, alignment, text));
    std::uint64_t digest = Mix(Mix(Start(MarkOp::TextInRect), rect), text);
    digest = Mix(Mix(Mix(Mix(digest, fg), bg), fontDigest_), static_cast<std::uint64_t>(alignment));
    Mark(TextArea(box, fontHeight_), digest);
    if (target_ != nullptr) {
        target_->TextInRect(rect, alignment, text, fg, bg);
    }
}

void MarkSurface::Bitmap(QPoint topLeft, const QImage& image) {
    const QRect area(topLeft, image.deviceIndependentSize().toSize());
    Mark(area, Mix(Mix(Start(MarkOp::Bitmap), area), static_cast<std::uint64_t>(image.cacheKey())));
    if (target_ != nullptr) {
        target_->Bitmap(topLeft, image);
    }
}

void MarkSurface::Invert(const QRect& rect) {
    Mark(rect, Mix(Start(MarkOp::Invert), rect));
    if (target_ != nullptr) {
        target_->Invert(rect);
    }
}

void MarkSurface::Layer(StaticLayer& layer, QSize size, std::uint64_t key,
                        const StaticLayer::Draw& draw) {
    // The layer's drawing depends only on its size and key (and on what invalidates it, which
    // repaints the whole window anyway).
    const QRect area(QPoint(0, 0), size);
    std::uint64_t digest = Mix(Mix(Start(MarkOp::Layer), area), key);
    digest = Mix(digest, static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&layer)));
    Mark(area, digest);
    if (target_ != nullptr) {
        target_->Layer(layer, size, key, draw);
    }
}

void MarkSurface::SetFont(const QFont& font) {
    UseFont(font);
    if (target_ != nullptr) {
        target_->SetFont(font);
    }
}

QSize MarkSurface::TextExtent(const QString& text) const {
    if (target_ != nullptr) {
        return target_->TextExtent(text);
    }
    return {TextWidth(text), fontHeight_};
}

int MarkSurface::TextWidth(const QString& text) const {
    if (texts_ != nullptr) {
        return texts_->Get(font_, text).width;
    }
    return QFontMetrics(font_).horizontalAdvance(text);
}

QRegion ChangedRegion(const std::vector<PaintMark>& before, const std::vector<PaintMark>& after) {
    QRegion changed;
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (before[i] != after[i]) {
            changed += before[i].area;
            changed += after[i].area;
        }
    }
    for (std::size_t i = common; i < before.size(); ++i) {
        changed += before[i].area;
    }
    for (std::size_t i = common; i < after.size(); ++i) {
        changed += after[i].area;
    }
    return changed;
}

}  // namespace orbex
