#include "windows/console/console_list.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>

#include "gui/monitor_font.h"
#include "windows/console/console_delegate.h"

namespace orbex {

ConsoleList::ConsoleList(QWidget* parent) : QListView(parent), lines_(new ConsoleLines(this)) {
    setObjectName(QStringLiteral("ConsoleList"));
    setFont(MonitorFont(14));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::Text, Qt::white);
    setPalette(pal);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    setFrameShape(QFrame::NoFrame);
    lines_->SetItemHeight(QFontMetrics(font()).height());
    lines_->WidenExtent(TextWidth(QString::fromLatin1(ConsoleLines::kPrompt)));
    setModel(lines_);
    setItemDelegate(new ConsoleDelegate(this));
}

bool ConsoleList::AtBottom() const {
    const QScrollBar* bar = verticalScrollBar();
    return bar->value() >= bar->maximum() - 1;
}

void ConsoleList::ScrollToLast() {
    scrollToBottom();
}

int ConsoleList::TextWidth(const QString& text) const {
    // A little room for the view's own text margin, so the widest line is not clipped.
    return QFontMetrics(font()).horizontalAdvance(text) + 8;
}

void ConsoleList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_End || key == Qt::Key_Home) {
        QListView::keyPressEvent(event);
        if (onEndOrHome) {
            onEndOrHome(key);
        }
        return;
    }
    if (!event->text().isEmpty() && onCharacter) {
        onCharacter(event->text());
        return;
    }
    QListView::keyPressEvent(event);
}

}  // namespace orbex
