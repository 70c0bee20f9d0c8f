// What the TTFF window tests read and press on the dialog: a button by its text, the items of
// a list, and the wait for a series to reach its count while the event loop runs.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include "tools/ttff/ttff_dialog.h"

namespace orbex::test {

inline QPushButton* Button(QWidget* window, const char* text) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->text() == QLatin1String(text)) {
            return button;
        }
    }
    return nullptr;
}

inline QStringList Items(QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

inline QStringList Items(QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

// Runs the event loop until the dialog counts `count` cycles, at most 40 s a cycle, then once
// more so that the last result reaches the list.
inline void WaitForCount(CTtffDlg* dialog, int count) {
    QElapsedTimer clock;
    clock.start();
    while (dialog->countBox()->text() != QString::number(count) &&
           clock.elapsed() < 40000 * count) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QApplication::processEvents();
}

}  // namespace orbex::test
