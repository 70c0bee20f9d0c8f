#include "windows/general_info/general_info_window.h"

#include <cstring>

#include "decode/decoding_state.h"
#include "windows/common/monitor_font.h"

namespace orbex {
namespace {

// The record kinds drawn on the native page.
bool IsNativeKind(const char* kind) {
    for (const char* prefix : {"SM", "D0", "C6", "BA"}) {
        if (std::strncmp(kind, prefix, 2) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

CGeneralInfoWnd::CGeneralInfoWnd(const QString& title, QWidget* parent)
    : CMonitorWnd(kGeneralInfoKind, title, parent),
      metrics_(PageMetrics::Measure(MonitorFont(15))) {}

void CGeneralInfoWnd::OnReceiverRecord(const ReceiverState& record) {
    // A record without a kind ("$GPGLL" decodes to nothing) would turn the page over to an
    // empty NMEA page at the next repaint, so the last record with a kind stays shown.
    if (record.kind[0] == '\0') {
        return;
    }
    shown_ = record;
    if (!IsNativeKind(record.kind)) {
        nmea_.Merge(record);
    }
    update();
}

bool CGeneralInfoWnd::ShowsNativePage() const {
    return IsNativeKind(shown_.kind);
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
    const double divisor = SharedDecodingState().ggaFourDigitMinutes != 0 ? 10000.0 : 1000.0;
    DrawNmeaPage(surface, metrics_, nmea_, divisor);
    if (nmea_.rowCount != paintedRowCount_) {
        paintedRowCount_ = nmea_.rowCount;
        eraseNextPaint_ = true;
        update();
    }
}

}  // namespace orbex
