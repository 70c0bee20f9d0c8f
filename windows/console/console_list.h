// The Console's list: white fixed-pitch text on black over the whole window, one line of the
// font per row, no selection. It follows the newest line while the user is at the bottom and
// stays put once the user has scrolled up. Rows scroll one at a time; the horizontal scroll is
// by pixel up to the widest line.
//
// A received line costs what the line itself costs: the rows on screen move by copying their
// pixels, and only the rows that changed (a batch's new lines and the prompt below them) are
// drawn.
// Dropping the oldest lines leaves the rows on screen where they are. While the list has the
// focus its prompt row carries the caret, drawn as the style draws a focused list item.
//
// Typed characters go to the owner (to open the Commands dialog); End and Home move the list
// to its last or first row and then go to the owner.
#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "windows/console/console_lines.h"

namespace orbex {

class ConsoleList : public QAbstractScrollArea {
  public:
    static constexpr int kControlId = 100;

    explicit ConsoleList(QWidget* parent);

    const ConsoleLines& lines() const { return lines_; }
    // Adds a received line just above the prompt; returns its index. It is shown by the next
    // ShowNewLines().
    int AddLine(const QString& text);
    // Drops up to count lines from the top.
    void DropOldest(int count);
    // Shows the lines added since the last call, scrolled to the last row first when follow.
    void ShowNewLines(bool follow);

    // True when the view shows the last rows: the top row is at most one row above the
    // lowest top position.
    bool AtBottom() const;
    int TextWidth(const QString& text) const;
    // Where the row is drawn in the viewport (outside it when scrolled out of view).
    QRect RowRect(int row) const;

    // Called with the text of a typed character.
    std::function<void(const QString& text)> onCharacter;
    // Called after End or Home did their list movement.
    std::function<void(int key)> onEndOrHome;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The rows that fit whole in the viewport (at least one).
    int RowsInView() const;
    void ScrollToLast();
    void UpdateScrollRanges();
    void UpdateRows(int first, int last);
    // The prompt's row while the list has the focus: the caret stays on the prompt.
    void DrawCaretRow(QPainter& painter, const QRect& rect);

    ConsoleLines lines_;
    int rowHeight_;
    int textMargin_;           // where a row's text starts, as a list item's text would
    bool keepPixels_ = false;  // a scroll bar moves, but the rows on screen stay as they are
    int firstNewRow_ = -1;     // the first row to draw at ShowNewLines(); -1: none
    bool widened_ = false;     // the extent grew since ShowNewLines(): every row is drawn
};

}  // namespace orbex
