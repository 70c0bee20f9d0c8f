#include "windows/common/window_picture.h"

#include <QFile>
#include <QPixmap>

namespace orbex {

QString PictureFileName(const QString& windowName, const QDateTime& when) {
    // QDateTime::toString with a format uses the C locale's digits and no local names.
    return windowName + QLatin1Char('-') + when.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           QStringLiteral(".png");
}

QString SaveWindowPicture(QWidget& window, const QString& path) {
    const QPixmap picture = window.grab();
    if (picture.isNull()) {
        return QStringLiteral("The window has no picture to save.");
    }
    if (!picture.save(path, "PNG")) {
        QFile::remove(path);  // no half-written picture under the chosen name
        return QStringLiteral("The picture could not be written to\n%1").arg(path);
    }
    return {};
}

}  // namespace orbex
