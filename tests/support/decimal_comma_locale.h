// A decimal-comma locale for the fixed-format tests: the system's "de_DE.UTF-8" when it is
// installed, else one made with localedef beside the test program (found through LOCPATH,
// which child processes inherit).
#pragma once

#include <locale.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <string>

namespace orbex::test {

inline constexpr const char* kDecimalCommaLocale = "de_DE.UTF-8";

inline bool DecimalCommaLocaleLoads() {
    locale_t locale = newlocale(LC_NUMERIC_MASK, kDecimalCommaLocale, locale_t{});
    if (locale == locale_t{}) {
        return false;
    }
    freelocale(locale);
    return true;
}

// True when the locale can be used; otherwise error says why.
inline bool EnsureDecimalCommaLocale(std::string& error) {
    if (DecimalCommaLocaleLoads()) {
        return true;
    }
    const QString dir = QDir(QCoreApplication::applicationDirPath()).filePath("locale");
    QDir().mkpath(dir);
    const QString target = dir + "/" + kDecimalCommaLocale;
    if (!QFile::exists(target + "/LC_NUMERIC")) {
        QProcess localedef;
        localedef.start("localedef", {"-i", "de_DE", "-f", "UTF-8", target});
        // Exit code 1 means warnings only; the locale is written.
        if (!localedef.waitForFinished(120000) || localedef.exitCode() > 1) {
            error = "localedef could not make " + std::string(kDecimalCommaLocale) + " in " +
                    dir.toStdString() + " (is the \"locales\" package installed?): " +
                    localedef.readAllStandardError().toStdString();
            return false;
        }
    }
    setenv("LOCPATH", dir.toLocal8Bit().constData(), 1);
    if (!DecimalCommaLocaleLoads()) {
        error = "the locale made in " + dir.toStdString() + " does not load";
        return false;
    }
    return true;
}

}  // namespace orbex::test
