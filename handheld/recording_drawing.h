// ViewerDrawing that keeps every call in order (and passes it on to another drawing when
// given one), for the tests and for orbexce-render's draw log.
#pragma once

#include <QStringList>
#include <vector>

#include "handheld/viewer_drawing.h"

namespace orbexce {

struct DrawnCall {
    enum class Op { Fill, Rectangle, Ellipse, Text, Copy };
    Op op = Op::Fill;
    Plane plane = Plane::Screen;
    QRect rect;         // Copy: the source area on the memory surface
    QPoint to;          // Copy: the top-left on the screen
    QString text;       // Text
    QSize extent;       // Text: its size in the font
    QColor fg, bg;      // Text; Fill uses fg
    QColor pen, brush;  // Rectangle, Ellipse
};

class RecordingDrawing : public ViewerDrawing {
  public:
    // `inner` (may be null) draws every call for real; it must outlive this recording.
    explicit RecordingDrawing(ViewerDrawing* inner = nullptr) : inner_(inner) {}

    void Fill(Plane plane, const QRect& rect, const QColor& color) override;
    void Rectangle(Plane plane, const QRect& rect, const QColor& pen, const QColor& brush) override;
    void Ellipse(Plane plane, const QRect& rect, const QColor& pen, const QColor& brush) override;
    void Text(Plane plane, const QRect& rect, const QString& text, const QColor& fg,
              const QColor& bg) override;
    void CopyToScreen(const QRect& source, QPoint to) override;
    QSize TextExtent(const QString& text) const override;

    const std::vector<DrawnCall>& calls() const { return calls_; }
    void Clear() { calls_.clear(); }
    // The text calls whose text starts with `prefix`, in drawing order.
    std::vector<const DrawnCall*> TextsStartingWith(const QString& prefix) const;
    // One JSON object per call, in drawing order.
    QStringList ToJsonLines() const;

  private:
    DrawnCall& Add(DrawnCall::Op op, Plane plane);
    // Rectangle and Ellipse: the outline's pen and the inside's brush.
    void AddShape(DrawnCall::Op op, Plane plane, const QRect& rect, const QColor& pen,
                  const QColor& brush);

    ViewerDrawing* inner_;
    std::vector<DrawnCall> calls_;
};

}  // namespace orbexce
