#include "windows/general_info/general_info_window.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <string_view>

#include "gui/monitor_font.h"
#include "windows/common/record_kind.h"

namespace orbex {
namespace {

// The record kinds drawn on the native page: the native records and the "BA" version, whose
// own page this system does not draw.
bool ShowsOnNativePage(std::string_view kind) {
    return IsNativeKind(kind) || KindBegins(kind, "BA");
}

}  // namespace

CGeneralInfoWnd::CGeneralInfoWnd(const LineDecoder& decoder, const QString& title, QWidget* parent)
    : CMonitorWnd(kGeneralInfoKind, title, parent),
      decoder_(decoder),
      metrics_(PageMetrics::Measure(MonitorFont(15))) {
    resize(FittingSize());
}

QSize CGeneralInfoWnd::FittingSize() const {
    // The native page fits the designed 640 x 480, but the NMEA page's twelve used satellites
    // and its 16 table rows do not: the window opens large enough for its widest line and all
    // the rows, within the screen.
    const QFontMetrics fm(metrics_.font);
    const int channelLine =
        metrics_.charWidth * 4 + 5 +
        fm.horizontalAdvance(QStringLiteral(
            "<CH16>  SV32   Elevation= -180   Azimuth= -180   STATUS= DECODE    LEV= 25"));
    const int usedRow = metrics_.usedLabelX + metrics_.usedStepX * 12 + 5;
    QSize size(std::max({640, channelLine, usedRow}) + 5,
               std::max(480, metrics_.LineY(21 + kChannelCount) + 5));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        size = size.boundedTo(room).expandedTo(QSize(640, 480));
    }
    return size;
}

void CGeneralInfoWnd::OnReceiverRecord(const ReceiverState& record) {
    // A record without a kind ("$GPGLL" decodes to nothing) would turn the page over to an
    // empty NMEA page at the next repaint, so the last record with a kind stays shown.
    if (record.kind[0] == '\0') {
        return;
    }
    shown_ = record;
    if (!ShowsOnNativePage(KindOf(record))) {
        nmea_.Merge(record);
    }
    RepaintChanged();
}

bool CGeneralInfoWnd::ShowsNativePage() const {
    return ShowsOnNativePage(KindOf(shown_));
}

void CGeneralInfoWnd::Paint(DrawSurface& surface) {
    if (eraseNextPaint_) {
        surface.Fill(rect(), Qt::black);
        eraseNextPaint_ = false;
    }
    if (ShowsNativePage()) {
        DrawNativePage(surface, metrics_, shown_);
        return;
    }
    const double divisor = decoder_.ggaFourDigitMinutes() != 0 ? 10000.0 : 1000.0;
    DrawNmeaPage(surface, metrics_, nmea_, divisor);
    if (nmea_.rowCount != paintedRowCount_) {
        paintedRowCount_ = nmea_.rowCount;
        eraseNextPaint_ = true;
        update();
    }
}

void CGeneralInfoWnd::PaintForComparison(DrawSurface& surface) {
    // Paint notes the row count it drew and whether the next paint erases; a comparison is
    // not a paint.
    const int rowCount = paintedRowCount_;
    const bool erase = eraseNextPaint_;
    Paint(surface);
    paintedRowCount_ = rowCount;
    eraseNextPaint_ = erase;
}

}  // namespace orbex
