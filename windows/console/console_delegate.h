// Draws the Console's lines. Each line's glyphs are laid out once, the first time the line is
// shown, and kept with the line (ConsoleLines::Shaped), so that the repaint of the list that
// follows every received line draws the lines in view without laying any of them out again.
// An item in any state but plain (the current item with its focus frame, a hovered or selected
// one) is drawn by the style, as the list draws it by default.
#pragma once

#include <QStyledItemDelegate>

namespace orbex {

class ConsoleDelegate : public QStyledItemDelegate {
  public:
    explicit ConsoleDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace orbex
