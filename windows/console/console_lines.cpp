#include "windows/console/console_lines.h"

#include <QSize>
#include <algorithm>

namespace orbex {

ConsoleLines::ConsoleLines(QObject* parent) : QAbstractListModel(parent) {
    lines_.append(QString::fromLatin1(kPrompt));
    shaped_.append(PlainText(lines_.back()));
}

QStaticText ConsoleLines::PlainText(const QString& text) {
    QStaticText shaped(text);
    // A received line is never markup, whatever angle brackets it holds.
    shaped.setTextFormat(Qt::PlainText);
    return shaped;
}

int ConsoleLines::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant ConsoleLines::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= lines_.size()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return lines_[index.row()];
        case Qt::SizeHintRole:
            return QSize(extent_, itemHeight_);
        default:
            return {};
    }
}

int ConsoleLines::InsertBeforePrompt(const QString& text) {
    const int at = static_cast<int>(lines_.size()) - 1;
    beginInsertRows(QModelIndex(), at, at);
    lines_.insert(at, text);
    shaped_.insert(at, PlainText(text));
    endInsertRows();
    return at;
}

void ConsoleLines::RemoveFromTop(int count) {
    count = std::min(count, static_cast<int>(lines_.size()) - 1);
    if (count <= 0) {
        return;
    }
    beginRemoveRows(QModelIndex(), 0, count - 1);
    lines_.remove(0, count);
    shaped_.remove(0, count);
    endRemoveRows();
}

bool ConsoleLines::WidenExtent(int width) {
    if (width <= extent_) {
        return false;
    }
    extent_ = width;
    // Every item reports the extent as its size; a layout change makes the view take it.
    emit layoutAboutToBeChanged();
    emit layoutChanged();
    return true;
}

void ConsoleLines::SetItemHeight(int height) {
    itemHeight_ = height;
}

}  // namespace orbex
