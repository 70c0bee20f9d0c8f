// DrawSurface that records every call in order, so that tests and orbex-render can check what
// was drawn where and in which colour. Text extents are measured with the real font, so layouts
// computed from them match the screen.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

#include "gui/draw_surface.h"

namespace orbex {

struct DrawCall {
    enum class Op { Fill, Rectangle, Ellipse, Line, Text, TextInRect, Bitmap, Invert, Item };
    Op op = Op::Fill;
    QRect rect;         // Fill, Rectangle, Ellipse, TextInRect, Bitmap, Invert
    QPoint from, to;    // Line; Text uses from as its top-left
    QString text;       // Text, TextInRect, Item
    QColor fg, bg;      // Text, TextInRect; Fill uses fg
    QColor pen, brush;  // Rectangle, Ellipse, Line
    int width = 1;      // Line
    int alignment = 0;  // TextInRect
    QString font;       // family and pixel height of the text calls
    QString tag;        // the child window the call was drawn in (empty: the window itself)
};

class RecordingSurface : public DrawSurface {
  public:
    RecordingSurface();

    void Fill(const QRect& rect, const QColor& color) override;
    void Rectangle(const QRect& rect, const QColor& pen, const QColor& brush) override;
    void Ellipse(const QRect& rect, const QColor& pen, const QColor& brush) override;
    void Line(QPoint from, QPoint to, const QColor& pen, int width) override;
    void TextOut(int x, int y, const QString& text, const QColor& fg, const QColor& bg) override;
    void TextInRect(const QRect& rect, int alignment, const QString& text, const QColor& fg,
                    const QColor& bg) override;
    void Bitmap(QPoint topLeft, const QImage& image) override;
    void Invert(const QRect& rect) override;
    void SetFont(const QFont& font) override;
    QSize TextExtent(const QString& text) const override;

    // Records a list item (the Console's list box) as {"op":"item","text":...}.
    void Item(const QString& text);
    // Tags the following calls with a child window's name (empty: the window itself).
    void SetTag(const QString& tag) { tag_ = tag; }

    const std::vector<DrawCall>& calls() const { return calls_; }
    void Clear() { calls_.clear(); }
    // The texts of the text calls, in drawing order.
    QStringList Texts() const;
    // The first text call whose text contains needle; null when none.
    const DrawCall* FindText(const QString& needle) const;
    // One JSON object per call, in drawing order.
    QStringList ToJsonLines() const;

  private:
    DrawCall& Add(DrawCall::Op op);
    // Rectangle and Ellipse: the outline's pen and the inside's brush.
    void AddShape(DrawCall::Op op, const QRect& rect, const QColor& pen, const QColor& brush);
    // Text and TextInRect: the text, its colours and the font in use.
    DrawCall& AddText(DrawCall::Op op, const QString& text, const QColor& fg, const QColor& bg);

    std::vector<DrawCall> calls_;
    QFont font_;
    QString tag_;
};

// "#RRGGBB", or "null" for no colour (as a JSON literal).
QString ColorJson(const QColor& color);

}  // namespace orbex
