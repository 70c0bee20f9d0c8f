#include "windows/satellites/satellite_window.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <cstdio>

#include "decode/lookup_tables.h"
#include "decode/record_code.h"
#include "gui/monitor_font.h"
#include "windows/common/display_text.h"
#include "windows/common/monitor_colours.h"
#include "windows/common/record_kind.h"

namespace orbex {
namespace {

// The level rows: 105 x 14 pixels, one per text row, beside the channel texts.
constexpr int kLevelRowWidth = 105;
constexpr int kLevelRowHeight = 14;
const QRect kSkyPlotRect(QPoint(240, 5), QPoint(637, 397));  // 240,5 - 638,398

struct StatusLabel {
    const char* text;
    bool yellow;
};

StatusLabel NativeStatus(char code) {
    switch (code) {
        case 'A':
        case 'D':
        case 'E':
            return {" UNLOCK ", false};
        case 'B':
            return {" STBY   ", false};
        case 'C':
            return {" DECODE ", false};
        case 'F':
            return {" DECODE ", true};
        default:
            return {" Reserve", false};
    }
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

CSatelliteWnd::CSatelliteWnd(const LineDecoder& decoder, const QString& title, QWidget* parent)
    : CMonitorWnd(kSatelliteKind, title, parent), decoder_(decoder), font_(MonitorFont(16)) {
    const QFontMetrics fm(font_);
    lineHeight_ = fm.height() + fm.leading();
    maxCharWidth_ = fm.maxWidth();
    for (int i = 0; i < kLevelRowCount; ++i) {
        levelRows_[i] = new CLevelRow(i, this);
    }
    LayOutLevelRows(RecordFamily::Nmea);
    plot_ = new CSkyPlot(this);
    plot_->setGeometry(kSkyPlotRect);
}

void CSatelliteWnd::LayOutLevelRows(RecordFamily family) {
    // Each bar sits on the text row of its channel, just right of that row's text: native
    // channels are rows 1.., "SV12 DECODE "; NMEA channels rows 2.., "       12".
    const QFontMetrics fm(font_);
    const bool native = family == RecordFamily::Native;
    const int firstRow = native ? 1 : 2;
    const int textWidth = native ? 5 + fm.horizontalAdvance(QStringLiteral("SV## DECODE "))
                                 : 5 + fm.horizontalAdvance(QStringLiteral("       ##")) + 4;
    const int left = std::max(85, textWidth);
    for (int i = 0; i < kLevelRowCount; ++i) {
        const int top = RowY(firstRow + i) + (lineHeight_ - kLevelRowHeight) / 2;
        levelRows_[i]->setGeometry(left, top, kLevelRowWidth, kLevelRowHeight);
    }
    levelRowsFamily_ = family;
}

void CSatelliteWnd::OnReceiverRecord(const ReceiverState& record) {
    model_.Update(record);
    if (model_.family() != levelRowsFamily_) {
        LayOutLevelRows(model_.family());
    }
    for (int i = 0; i < kLevelRowCount; ++i) {
        const LevelSetting& level = model_.levels()[i];
        levelRows_[i]->SetLevel(level.level, level.colour);
    }
    plot_->SetSatellites(model_.family(), model_.channelCount(), model_.PlotChannels(),
                         PlotTexts());
    RepaintChanged();
}

SkyPlotTexts CSatelliteWnd::PlotTexts() const {
    SkyPlotTexts texts;
    if (model_.family() == RecordFamily::Native) {
        const ClockTime& t = model_.nativeFixTime();
        texts.time = DisplayText("   %2u:%2u:%2u", t.hour, t.minute, t.second);
        texts.dop = KindBegins(model_.lastKind(), "SM")
                        ? model_.nativeDopText()
                        : DisplayText("Current PDOP%.1f", model_.lastPdop());
    } else if (model_.family() == RecordFamily::Nmea) {
        const ClockTime& t = model_.ggaTime();
        texts.time = DisplayText("       %2u:%2u:%2u", t.hour, t.minute, t.second);
        texts.dop = DisplayText("   PDOP   = %.1f", model_.lastPdop());
    }
    return texts;
}

void CSatelliteWnd::Paint(DrawSurface& surface) {
    if (model_.updates() == 0) {
        return;
    }
    surface.SetFont(font_);
    if (model_.family() == RecordFamily::Native) {
        PaintNativePanel(surface);
    } else {
        PaintNmeaPanel(surface);
    }
}

void CSatelliteWnd::PaintNativePanel(DrawSurface& surface) {
    const PositionFields& p = model_.position();
    surface.TextOut(5, RowY(18),
                    DisplayText("LAT: %c %3d  %2d' %5.2f\" ", p.latHemisphere, p.latDegrees,
                                p.latMinutes, p.latSeconds),
                    kWhite, kBlack);
    surface.TextOut(5, RowY(19),
                    DisplayText("LON: %c %3d  %2d' %5.2f\" ", p.lonHemisphere, p.lonDegrees,
                                p.lonMinutes, p.lonSeconds),
                    kWhite, kBlack);
    surface.TextOut(5, RowY(20), DisplayText("ALT: %6.1f m", p.altitude), kWhite, kBlack);

    const int statusX = 5 + surface.TextExtent(QStringLiteral("SV##")).width();
    for (int i = 0; i < model_.channelCount(); ++i) {
        const SatelliteSlot& slot = model_.channels()[i];
        const int y = RowY(1 + i);
        QString number;
        if (slot.statusCode == 'A') {
            number = QStringLiteral("SV--");
        } else if (CodeValue(slot.prnCode) > 'h') {
            number = QStringLiteral("SV99");
        } else {
            number = DisplayText("SV%2d", SatelliteNumber(slot.prnCode));
        }
        surface.TextOut(5, y, number, kWhite, kBlack);
        const StatusLabel status = NativeStatus(slot.statusCode);
        surface.TextOut(statusX, y, QString::fromLatin1(status.text),
                        status.yellow ? kYellow : kWhite, kBlack);
    }
}

void CSatelliteWnd::PaintNmeaPanel(DrawSurface& surface) {
    const PositionFields& p = model_.position();
    const char quality = model_.fixQuality();
    const double divisor = decoder_.ggaFourDigitMinutes() != 0 ? 10000.0 : 1000.0;
    const double latMinutes = p.latMinutes + p.latMinuteFraction / divisor;
    const double lonMinutes = p.lonMinutes + p.lonMinuteFraction / divisor;
    if (quality == '0') {
        surface.TextOut(5, RowY(20),
                        DisplayText("   LAT : %c %3u  %7.4f  ", Lower(p.latHemisphere),
                                    static_cast<unsigned>(p.latDegrees), latMinutes),
                        kYellow, kBlack);
        surface.TextOut(5, RowY(21),
                        DisplayText("   LON : %c %3u  %7.4f  ", Lower(p.lonHemisphere),
                                    static_cast<unsigned>(p.lonDegrees), lonMinutes),
                        kYellow, kBlack);
    } else {
        surface.TextOut(5, RowY(20),
                        DisplayText("   LAT : %c %3u  %6.4f' ", p.latHemisphere,
                                    static_cast<unsigned>(p.latDegrees), latMinutes),
                        kWhite, kBlack);
        surface.TextOut(5, RowY(21),
                        DisplayText("   LON : %c %3u  %6.4f' ", p.lonHemisphere,
                                    static_cast<unsigned>(p.lonDegrees), lonMinutes),
                        kWhite, kBlack);
    }
    surface.TextOut(5, RowY(22), DisplayText("   MSL :  %6.1f m", p.altitude), kWhite, kBlack);

    QColor header = QColor(0, 220, 220);
    if (quality == '0') {
        header = kYellow;
    } else if (quality == '1') {
        header = kWhite;
    }
    surface.TextOut(5, RowY(1), QStringLiteral("       SV    Level"), header, kBlack);

    if (!model_.groupShown()) {
        return;
    }
    for (int i = 0; i < kChannelCount; ++i) {
        const GroupRow& row = model_.groupRows()[i];
        if (row.prn == 0) {
            surface.TextOut(5, RowY(2 + i), QStringLiteral("             "), kWhite, kBlack);
        } else {
            surface.TextOut(5, RowY(2 + i), DisplayText("       %2d", row.prn),
                            row.used ? kWhite : kYellow, kBlack);
        }
    }
}

}  // namespace orbex
