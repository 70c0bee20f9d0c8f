// The texts a list widget shows, top to bottom: what the user reads in a dialog's message or
// data list (and what its tests compare).
#pragma once

#include <QListWidget>
#include <QStringList>

namespace orbex {

inline QStringList ListItemTexts(const QListWidget& list) {
    QStringList texts;
    texts.reserve(list.count());
    for (int i = 0; i < list.count(); ++i) {
        texts.push_back(list.item(i)->text());
    }
    return texts;
}

}  // namespace orbex
