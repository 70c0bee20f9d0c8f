#include "windows/position_plot/position_plot_texts.h"

#include <algorithm>
#include <cmath>

#include "decode/lookup_tables.h"
#include "windows/common/display_text.h"
#include "windows/position_plot/pixel_math.h"

namespace orbex {
namespace {

// A hemisphere that never arrived shows as a blank, not as a NUL in the text.
char Hemisphere(const CoordinateGroup& group) {
    return group.hemisphere != 0 ? group.hemisphere : ' ';
}

// Minutes with as many decimals as the receiver sends, zero-filled, so that 12.005 minutes
// reads "12.005" and not "12.  5". The decimals come from the seconds, which every record
// fills: a centre taken from a native record (which has seconds, not minute decimals) then
// reads 40.8833' and not 40.0000' in a mixed stream.
QString NmeaCoordinate(const char* label, const CoordinateGroup& g, bool fourDigitMinutes) {
    const long long scale = fourDigitMinutes ? 10000 : 1000;
    const double rounded = std::round(g.seconds / 60.0 * static_cast<double>(scale));
    const double decimals =
        std::isfinite(rounded) ? std::clamp(rounded, 0.0, static_cast<double>(scale - 1)) : 0.0;
    const char* format = fourDigitMinutes ? "%s %c %3d  %2u.%04u' " : "%s %c %3d  %2u.%03u' ";
    return DisplayText(format, label, Hemisphere(g), g.degrees, static_cast<unsigned>(g.minutes),
                       static_cast<unsigned>(decimals));
}

// Degrees, minutes and seconds ending in the arc-seconds sign and a blank. The centre's
// longitude line has no minutes sign.
QString NativeCoordinate(const char* label, const CoordinateGroup& g, bool minuteSign) {
    const char* format = minuteSign ? "%s %c %3d  %2u' %5.2f\" " : "%s %c %3d  %2u  %5.2f\" ";
    return DisplayText(format, label, Hemisphere(g), g.degrees, static_cast<unsigned>(g.minutes),
                       g.seconds);
}

QString NativeDateTime(const char* label, const RecordTime& time, int year) {
    return DisplayText("%s %s %2u, %2u:%2u:%2u, %4u", label, MonthText(time.month),
                       static_cast<unsigned>(time.day), static_cast<unsigned>(time.hour),
                       static_cast<unsigned>(time.minute), static_cast<unsigned>(time.second),
                       static_cast<unsigned>(year));
}

QString ClockTime(const char* label, const RecordTime& time) {
    return DisplayText("%s%2u:%2u:%2u", label, static_cast<unsigned>(time.hour),
                       static_cast<unsigned>(time.minute), static_cast<unsigned>(time.second));
}

std::array<QRect, 4> BlockRects(QSize client) {
    const int w = client.width();
    const int h = client.height();
    return {RectFromEdges(5, 5, 261, 65), RectFromEdges(315, 5, 572, 65),
            RectFromEdges(5, h - 71, 261, h - 5), RectFromEdges(w - 105, h - 46, w, h - 6)};
}

}  // namespace

std::array<TextBlock, 4> PositionPlotTextBlocks(const PositionPlot& plot, int sampleNext,
                                                bool fourDigitMinutes) {
    const std::array<QRect, 4> rects = BlockRects(plot.client());
    const double gridMetres = 500.0 / plot.scale();
    std::array<TextBlock, 4> blocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        blocks[i].rect = rects[i];
    }
    if (!plot.NativeLayout()) {
        blocks[0].top = QStringLiteral("Center: ") +
                        NmeaCoordinate("[LAT]", plot.centre().lat, fourDigitMinutes);
        blocks[0].middle = QStringLiteral("      : ") +
                           NmeaCoordinate("[LON]", plot.centre().lon, fourDigitMinutes);
        blocks[0].bottom = DisplayText("1 grid square equals  %5.1f m^2 ", gridMetres * gridMetres);
        blocks[1].top = ClockTime("Window Created At: ", plot.altTimes().created);
        blocks[1].middle = ClockTime("Current Time     : ", plot.altTimes().current);
        blocks[1].bottom =
            DisplayText("Current PDOP     : %.1f", static_cast<double>(PositionPlot::sharedPdop));
        blocks[2].top = NmeaCoordinate("[LAT]", plot.current().lat, fourDigitMinutes);
        blocks[2].middle = NmeaCoordinate("[LON]", plot.current().lon, fourDigitMinutes);
        blocks[2].bottom = DisplayText("[MSL] %6.1fm", static_cast<double>(plot.altitude()));
        blocks[3].top = DisplayText("Speed=%3d", plot.speed());
        blocks[3].bottom = DisplayText("Samples =%3u", static_cast<unsigned>(sampleNext));
        return blocks;
    }
    const bool sm = plot.NativeSmLayout();
    blocks[0].top = QStringLiteral("CENTER: ") + NativeCoordinate("[LAT]", plot.centre().lat, true);
    blocks[0].middle =
        QStringLiteral("      : ") + NativeCoordinate("[LON]", plot.centre().lon, false);
    blocks[0].bottom = DisplayText("SCALE : %5.1f (m)", gridMetres);
    // "SM" records carry their own two-digit dates; the other native records show the
    // times of the "$GPZDA" sentences beside them.
    if (sm) {
        blocks[1].top = NativeDateTime(
            "Window Created At:", plot.nativeTimes().created,
            FullYear(plot.nativeTimes().created.year, plot.nativeTimes().created.month));
        blocks[1].middle = NativeDateTime(
            "Current Time     :", plot.nativeTimes().current,
            FullYear(plot.nativeTimes().current.year, plot.nativeTimes().current.month));
        blocks[1].bottom = DisplayText("PDOP             : %s", plot.dopText().c_str());
    } else {
        blocks[1].top = NativeDateTime("Window Created At:", plot.altTimes().created,
                                       plot.altTimes().created.year);
        blocks[1].middle = NativeDateTime("Current Time     :", plot.altTimes().current,
                                          plot.altTimes().current.year);
        blocks[1].bottom =
            DisplayText("PDOP = %.1f   ", static_cast<double>(PositionPlot::sharedPdop));
    }
    blocks[2].top = NativeCoordinate("[LAT]", plot.current().lat, true);
    blocks[2].middle = NativeCoordinate("[LON]", plot.current().lon, true);
    blocks[2].bottom = DisplayText("[ALT] %6.1f m", static_cast<double>(plot.altitude()));
    blocks[3].top = DisplayText("SPEED=%3d", plot.speed());
    // The native layout counts from 0; before any sample it stays at 0.
    const int sampleIndex = sampleNext > 0 ? sampleNext - 1 : 0;
    blocks[3].bottom = DisplayText("SAMPLE  =%3u", static_cast<unsigned>(sampleIndex));
    return blocks;
}

}  // namespace orbex
