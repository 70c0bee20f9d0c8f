#include "windows/monitor_windows.h"

#include "windows/console/console_window.h"
#include "windows/general_info/general_info_window.h"
#include "windows/position_plot/position_plot_wnd.h"
#include "windows/satellites/satellite_window.h"
#include "windows/velocity/velocity_wnd.h"

namespace orbex {
namespace {

template <typename Window>
QWidget* Create(const QString& title) {
    return title.isEmpty() ? new Window() : new Window(title);
}

}  // namespace

QWidget* CreateMonitorWindow(int kind, const QString& title) {
    switch (kind) {
        case kGeneralInfoKind:
            return Create<CGeneralInfoWnd>(title);
        case kSatelliteKind:
            return Create<CSatelliteWnd>(title);
        case kPositionPlotKind:
            return Create<CPositionPlotWnd>(title);
        case kConsoleKind:
            return Create<CConsoleWnd>(title);
        case kVelocityKind:
            return Create<CVelocityWnd>(title);
        default:
            return nullptr;
    }
}

}  // namespace orbex
