#include "windows/console/console_list.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

#include "gui/monitor_font.h"

namespace orbex {

ConsoleList::ConsoleList(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("ConsoleList"));
    setFont(MonitorFont(14));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::Text, Qt::white);
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::NoFrame);
    rowHeight_ = std::max(1, QFontMetrics(font()).height());
    // A list item's text starts inside the focus frame's margin.
    textMargin_ = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(QFontMetrics(font()).averageCharWidth() * 4);
    lines_.WidenExtent(TextWidth(QString::fromLatin1(ConsoleLines::kPrompt)));
    UpdateScrollRanges();
}

int ConsoleList::AddLine(const QString& text) {
    const int row = lines_.InsertBeforePrompt(text);
    widened_ = lines_.WidenExtent(TextWidth(text)) || widened_;
    // The new line takes the prompt's row; the prompt moves one row down.
    if (firstNewRow_ < 0) {
        firstNewRow_ = row;
    }
    // The scroll bars follow at ShowNewLines(), so that they too repaint once a drain.
    return row;
}

void ConsoleList::DropOldest(int count) {
    QScrollBar* bar = verticalScrollBar();
    const int top = bar->value();
    const int dropped = lines_.RemoveFromTop(count);
    if (dropped == 0) {
        return;
    }
    if (firstNewRow_ >= 0) {
        firstNewRow_ = std::max(0, firstNewRow_ - dropped);
    }
    // The rows on screen keep their lines: the top row's index falls by as many as went.
    keepPixels_ = true;
    UpdateScrollRanges();
    bar->setValue(top - dropped);
    keepPixels_ = false;
    if (top < dropped) {
        // Some of the rows on screen were dropped.
        viewport()->update();
    }
}

void ConsoleList::ShowNewLines(bool follow) {
    UpdateScrollRanges();
    if (follow) {
        // The rows on screen move up by copying their pixels.
        ScrollToLast();
    }
    if (widened_) {
        // Every row is as wide as the widest line.
        viewport()->update();
    } else if (firstNewRow_ >= 0) {
        UpdateRows(firstNewRow_, lines_.count() - 1);
    }
    firstNewRow_ = -1;
    widened_ = false;
}

bool ConsoleList::AtBottom() const {
    const QScrollBar* bar = verticalScrollBar();
    return bar->value() >= bar->maximum() - 1;
}

void ConsoleList::ScrollToLast() {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

int ConsoleList::TextWidth(const QString& text) const {
    // A little room for the text margin, so the widest line is not clipped.
    return QFontMetrics(font()).horizontalAdvance(text) + 8;
}

QRect ConsoleList::RowRect(int row) const {
    // A row spans the view when every line is narrower, like a list item.
    return {-horizontalScrollBar()->value(), (row - verticalScrollBar()->value()) * rowHeight_,
            std::max(lines_.horizontalExtent(), viewport()->width()), rowHeight_};
}

void ConsoleList::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const QRect area = event->rect();
    const int top = verticalScrollBar()->value();
    const int prompt = lines_.count() - 1;
    const int first = std::max(0, top + area.top() / rowHeight_);
    const int last = std::min(prompt, top + area.bottom() / rowHeight_);
    for (int row = first; row <= last; ++row) {
        const QRect rect = RowRect(row);
        if (row == prompt && hasFocus()) {
            DrawCaretRow(painter, rect);
            continue;
        }
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.drawStaticText(rect.left() + textMargin_, rect.top(), lines_.Shaped(row));
        painter.restore();
    }
}

void ConsoleList::DrawCaretRow(QPainter& painter, const QRect& rect) {
    // As the style draws a list's current item while the list has the focus.
    QStyleOptionViewItem item;
    item.initFrom(this);
    item.state |= QStyle::State_HasFocus;
    item.state &= ~QStyle::State_MouseOver;
    item.font = font();
    item.fontMetrics = fontMetrics();
    item.rect = rect;
    item.text = lines_.lines().back();
    item.features = QStyleOptionViewItem::HasDisplay;
    item.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    item.textElideMode = Qt::ElideNone;
    item.viewItemPosition = QStyleOptionViewItem::OnlyOne;
    item.showDecorationSelected =
        style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, this) != 0;
    item.widget = this;
    painter.save();
    style()->drawControl(QStyle::CE_ItemViewItem, &item, &painter, this);
    painter.restore();
}

void ConsoleList::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    UpdateRows(lines_.count() - 1, lines_.count() - 1);
}

void ConsoleList::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    UpdateRows(lines_.count() - 1, lines_.count() - 1);
}

void ConsoleList::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void ConsoleList::scrollContentsBy(int dx, int dy) {
    if (keepPixels_) {
        return;
    }
    viewport()->scroll(dx, dy * rowHeight_);
}

void ConsoleList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_End || key == Qt::Key_Home) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(key == Qt::Key_End ? bar->maximum() : bar->minimum());
        if (onEndOrHome) {
            onEndOrHome(key);
        }
        return;
    }
    if (!event->text().isEmpty() && onCharacter) {
        onCharacter(event->text());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

int ConsoleList::RowsInView() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

void ConsoleList::UpdateScrollRanges() {
    QScrollBar* vertical = verticalScrollBar();
    const int inView = RowsInView();
    vertical->setPageStep(inView);
    vertical->setRange(0, std::max(0, lines_.count() - inView));
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    horizontal->setPageStep(width);
    horizontal->setRange(0, std::max(0, lines_.horizontalExtent() - width));
}

void ConsoleList::UpdateRows(int first, int last) {
    const QRect rows = RowRect(first).united(RowRect(last));
    const QRect shown =
        QRect(0, rows.top(), viewport()->width(), rows.height()) & viewport()->rect();
    if (!shown.isEmpty()) {
        viewport()->update(shown);
    }
}

}  // namespace orbex
