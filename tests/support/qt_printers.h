// Readable failure messages for the Qt values the tests compare: texts, lists of texts, rectangles
// and colours.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "{\n";
    for (const QString& s : list) {
        *os << "  \"" << s.toStdString() << "\"\n";
    }
    *os << "}";
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << (c.isValid() ? c.name().toStdString() : std::string("no colour"));
}
QT_END_NAMESPACE
