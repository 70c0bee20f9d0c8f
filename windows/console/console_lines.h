// The lines of the Console's list: received lines in arrival order and, always last, the
// prompt "|". Each line keeps its glyph layout once it has been drawn, so that a repaint draws
// the lines in view without laying any of them out again. The horizontal extent is the widest
// line seen so far; it never shrinks, like a list box's extent.
#pragma once

#include <QList>
#include <QStaticText>
#include <QStringList>

namespace orbex {

class ConsoleLines {
  public:
    static constexpr const char* kPrompt = "|";

    ConsoleLines();

    // The lines and the prompt.
    int count() const { return static_cast<int>(lines_.size()); }
    // Inserts text just before the prompt; returns its index.
    int InsertBeforePrompt(const QString& text);
    // Removes up to count lines from the top (never the prompt); returns how many went.
    int RemoveFromTop(int count);
    // Widens the horizontal extent to width when that is wider; true when it grew.
    bool WidenExtent(int width);

    int horizontalExtent() const { return extent_; }
    const QStringList& lines() const { return lines_; }
    // The line as plain text whose glyph layout is kept after its first drawing.
    const QStaticText& Shaped(int row) const { return shaped_[row]; }

  private:
    static QStaticText PlainText(const QString& text);

    QStringList lines_;
    QList<QStaticText> shaped_;  // one per line, in the same order
    int extent_ = 0;
};

}  // namespace orbex
