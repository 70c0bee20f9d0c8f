#include "gui/fixed_formats.h"

#include <QLocale>
#include <clocale>

namespace orbex {

void KeepFixedFormats() {
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    QLocale::setDefault(QLocale::c());
}

}  // namespace orbex
