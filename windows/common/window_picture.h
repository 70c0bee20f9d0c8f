// "Save picture" of the monitor windows: a PNG of the window as shown (its child windows
// included), under a name that says which window and when.
#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>

namespace orbex {

// "<window>-<yyyyMMdd>-<HHmmss>.png", digits whatever the locale.
QString PictureFileName(const QString& windowName, const QDateTime& when);

// Writes the window as shown to `path` as PNG. Returns the reason it could not, or "".
QString SaveWindowPicture(QWidget& window, const QString& path);

}  // namespace orbex
