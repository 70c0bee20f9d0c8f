#include "windows/general_info/general_info_pages.h"

#include <QFontMetrics>
#include <array>
#include <cstdio>

#include "decode/lookup_tables.h"
#include "windows/common/display_text.h"
#include "windows/common/monitor_colours.h"

namespace orbex {
namespace {

void Line(DrawSurface& surface, const PageMetrics& m, int x, int line, const QString& text,
          const QColor& colour) {
    surface.TextOut(x, m.LineY(line), text, colour, kBlack);
}

// ---- native page ----

void DrawNativeChannel(DrawSurface& surface, const PageMetrics& m, int k, const SatelliteSlot& s) {
    const int y = m.LineY(8 + k);
    int x = m.charWidth * 4 + 5;
    QString head;
    if (s.statusCode == 'A') {
        head = DisplayText("<CH%2d>  SV--   Elevation=------  Azimuth=------  STATUS= ", k + 1);
    } else {
        head = DisplayText("<CH%2d>  SV%2d   Elevation=%6s  Azimuth=%6s  STATUS= ", k + 1,
                           SatelliteNumber(s.prnCode), AngleText(s.elevationCode).c_str(),
                           AngleText(s.azimuthCode).c_str());
    }
    surface.TextOut(x, y, head, kWhite, kBlack);
    x += surface.TextExtent(head).width();

    const QString status = DisplayText("%-8s", ChannelStatusName(s.statusCode));
    surface.TextOut(x, y, status, s.statusCode == 'F' ? kYellow : kWhite, kBlack);
    x += surface.TextExtent(status).width();

    surface.TextOut(x, y, DisplayText("  LEV= %s", LevelText(s.levelCode).c_str()), kWhite, kBlack);
}

QString NativeDateTime(const char* prefix, const char* dayLabel, const RecordTime& t) {
    return DisplayText("%s%s, %s %2u, %2u:%2u:%2u, %4u", prefix, dayLabel, MonthText(t.month),
                       t.day, t.hour, t.minute, t.second,
                       static_cast<unsigned>(FullYear(t.year, t.month)));
}

QString NativeAngle(const char* label, char hemisphere, int degrees, int minutes, double seconds) {
    // Degrees, minutes and seconds, then degrees and decimal minutes.
    return DisplayText("%s%c %3u  %02u' %5.2f\"   %c %3u  %7.4f' ", label, hemisphere,
                       static_cast<unsigned>(degrees), static_cast<unsigned>(minutes), seconds,
                       hemisphere, static_cast<unsigned>(degrees), minutes + seconds / 60.0);
}

// ---- NMEA page ----

QColor QualityColour(char quality) {
    if (quality == '0') {
        return kWhite;
    }
    if (quality == '2') {
        return kDarkCyan;
    }
    return kGreen;
}

const char* QualityText(char quality) {
    static constexpr CodeText kQualities[] = {{'1', " GPS Fixed "}, {'2', " DGPS Fixed"}};
    return TextOfCode(kQualities, quality, " Invalid   ");
}

const char* NmeaFixModeText(char fixMode) {
    static constexpr CodeText kModes[] = {{'2', "    2D   "}, {'3', "    3D   "}};
    return TextOfCode(kModes, fixMode, " Invalid ");
}

QString NmeaAngle(const char* label, char hemisphere, int degrees, int minutes, int fraction,
                  double divisor) {
    const double part = fraction / divisor;
    return DisplayText("%s%c %3u %8.4f' (%3u  %2d' %5.2f\")     ", label, hemisphere,
                       static_cast<unsigned>(degrees), minutes + part,
                       static_cast<unsigned>(degrees), minutes, part * 60.0);
}

}  // namespace

PageMetrics PageMetrics::Measure(const QFont& font) {
    const QFontMetrics fm(font);
    PageMetrics m;
    m.font = font;
    m.lineHeight = fm.height() + fm.leading();
    m.charWidth = fm.averageCharWidth();
    m.columnX = fm.horizontalAdvance(QStringLiteral("  Altitude : 00000 m    "));
    m.usedLabelX = fm.horizontalAdvance(QStringLiteral("   in Solution            : "));
    m.usedStepX = fm.horizontalAdvance(QStringLiteral("SV    "));
    return m;
}

void DrawNativePage(DrawSurface& surface, const PageMetrics& m, const ReceiverState& shown) {
    surface.SetFont(m.font);
    const QString kind = QString::fromLatin1(shown.kind, qstrnlen(shown.kind, sizeof shown.kind));
    Line(surface, m, 5, 0, QStringLiteral("  VERSION  : ") + kind, kCyan);
    Line(surface, m, 5, 1,
         NativeDateTime("  Time     : ", TimeBaseLabel(shown.nativeTime.dayCode), shown.nativeTime),
         kWhite);
    Line(surface, m, 5, 2,
         NativeAngle("  Latitude : ", shown.latHemisphere, shown.latDegrees, shown.latMinutes,
                     shown.latSeconds),
         kWhite);
    Line(surface, m, 5, 3,
         NativeAngle("  Longitude: ", shown.lonHemisphere, shown.lonDegrees, shown.lonMinutes,
                     shown.lonSeconds),
         kWhite);
    Line(surface, m, 5, 4, DisplayText("  Altitude : %6.1f m    ", shown.altitude), kWhite);
    Line(surface, m, 5, 5,
         DisplayText("  Speed    :   %3u km/h ", static_cast<unsigned>(shown.speedKmhWhole)),
         kWhite);
    Line(surface, m, 5, 6, DisplayText("  Azimuth  :   %3d      ", shown.course), kWhite);
    Line(surface, m, 5, 7,
         NativeDateTime("  Position Update At: ", WeekdayLabel(shown.fixTime.dayCode),
                        shown.fixTime),
         kWhite);

    const int right = m.columnX + 5;
    Line(surface, m, right, 4,
         QStringLiteral("PDOP    :") + QString::fromLatin1(DopText(shown).c_str()), kGreen);
    Line(surface, m, right, 5,
         QStringLiteral("Positioning Mode: ") +
             QString::fromLatin1(PositioningModeText(shown.fixMode)),
         kGreen);
    Line(surface, m, right, 6,
         QStringLiteral("Datum  : ") + QString::fromLatin1(DatumName(shown.datumCode)), kGreen);

    for (int k = 0; k < kChannelCount; ++k) {
        DrawNativeChannel(surface, m, k, shown.satellites[k]);
    }
}

void DrawNmeaPage(DrawSurface& surface, const PageMetrics& m, const NmeaAccumulator& n,
                  double minuteDivisor) {
    surface.SetFont(m.font);
    const QColor c = QualityColour(n.fixQuality);
    Line(surface, m, 5, 1, QStringLiteral("  Interface               : NMEA "), kCyan);
    Line(surface, m, 5, 2,
         DisplayText("  Time                    : %4u/%2u/%2u %2u:%2u:%2u",
                     static_cast<unsigned>(n.zdaTime.year), static_cast<unsigned>(n.zdaTime.month),
                     static_cast<unsigned>(n.zdaTime.day), static_cast<unsigned>(n.zdaTime.hour),
                     static_cast<unsigned>(n.zdaTime.minute),
                     static_cast<unsigned>(n.zdaTime.second)),
         c);
    Line(surface, m, 5, 3,
         NmeaAngle("  Latitude                : ", n.latHemisphere, n.latDegrees, n.latMinutes,
                   n.latMinuteFraction, minuteDivisor),
         c);
    Line(surface, m, 5, 4,
         NmeaAngle("  Longitude               : ", n.lonHemisphere, n.lonDegrees, n.lonMinutes,
                   n.lonMinuteFraction, minuteDivisor),
         c);
    Line(surface, m, 5, 5, DisplayText("  Mean Sea Level          :  %6.1f m       ", n.altitude),
         c);
    Line(surface, m, 5, 6, DisplayText("  Speed                   :  %6.1f km/h    ", n.speedKmh),
         c);
    Line(surface, m, 5, 7, DisplayText("  Azimuth                 :   %3d      ", n.course), c);
    Line(surface, m, 5, 8,
         QStringLiteral("  Positioning mode        : ") +
             QString::fromLatin1(NmeaFixModeText(n.fixMode)),
         c);
    Line(surface, m, 5, 9, DisplayText("  PDOP                    :    %4.1f", n.pdop), c);
    Line(surface, m, 5, 10, DisplayText("  HDOP                    :    %4.1f", n.hdop), c);
    Line(surface, m, 5, 11, DisplayText("  VDOP                    :    %4.1f", n.vdop), c);
    Line(surface, m, 5, 12,
         QStringLiteral("  GPS Quality Indicator   : ") +
             QString::fromLatin1(QualityText(n.fixQuality)),
         c);
    Line(surface, m, 5, 13, QStringLiteral("  Age of "), c);
    Line(surface, m, 5, 14, DisplayText("   Differential GPS Data  :    %2d ", n.dgpsAge), c);
    Line(surface, m, 5, 15, QStringLiteral("  Number of "), c);
    Line(surface, m, 5, 16, DisplayText("   satellites in view     :    %2d ", n.inView), c);
    Line(surface, m, 5, 17, QStringLiteral("  Satellites used "), c);
    Line(surface, m, 5, 18, QStringLiteral("   in solution            : "), c);
    for (int i = 0; i < static_cast<int>(n.usedPrn.size()); ++i) {
        const int x = m.usedLabelX + m.usedStepX * i + 5;
        Line(surface, m, x, 18,
             n.usedPrn[i] > 0 ? DisplayText("SV%2d  ", n.usedPrn[i]) : QStringLiteral("      "), c);
    }
    Line(surface, m, 5, 20, QStringLiteral("  SV  Used  Elev[deg]  Azim[deg]  C/N[dB.Hz]"), c);
    for (int i = 0; i < n.rowCount; ++i) {
        const SatelliteSlot& row = n.rows[i];
        Line(surface, m, 5, 21 + i,
             DisplayText("  %2d    %s       %2d        %3d         %2d     ", row.gsvPrn,
                         n.IsUsed(row.gsvPrn) ? "P" : " ", row.gsvElevation, row.gsvAzimuth,
                         row.gsvSnr),
             c);
    }
}

}  // namespace orbex
