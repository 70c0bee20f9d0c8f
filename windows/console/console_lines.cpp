#include "windows/console/console_lines.h"

#include <algorithm>

namespace orbex {

ConsoleLines::ConsoleLines() {
    lines_.append(QString::fromLatin1(kPrompt));
    shaped_.append(PlainText(lines_.back()));
}

QStaticText ConsoleLines::PlainText(const QString& text) {
    QStaticText shaped(text);
    // A received line is never markup, whatever angle brackets it holds.
    shaped.setTextFormat(Qt::PlainText);
    return shaped;
}

int ConsoleLines::InsertBeforePrompt(const QString& text) {
    const int at = count() - 1;
    lines_.insert(at, text);
    shaped_.insert(at, PlainText(text));
    return at;
}

int ConsoleLines::RemoveFromTop(int count) {
    count = std::clamp(count, 0, this->count() - 1);
    lines_.remove(0, count);
    shaped_.remove(0, count);
    return count;
}

bool ConsoleLines::WidenExtent(int width) {
    if (width <= extent_) {
        return false;
    }
    extent_ = width;
    return true;
}

}  // namespace orbex
