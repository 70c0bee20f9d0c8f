#include "windows/monitor_windows.h"

#include "windows/position_plot/position_plot_wnd.h"
#include "windows/velocity/velocity_wnd.h"

// The text and satellite windows join the registry as their folders provide them.
#if __has_include("windows/general_info/general_info_window.h")
#include "windows/general_info/general_info_window.h"
#define ORBEX_HAS_GENERAL_INFO_WINDOW 1
#endif
#if __has_include("windows/satellites/satellite_window.h")
#include "windows/satellites/satellite_window.h"
#define ORBEX_HAS_SATELLITE_WINDOW 1
#endif
#if __has_include("windows/console/console_window.h")
#include "windows/console/console_window.h"
#define ORBEX_HAS_CONSOLE_WINDOW 1
#endif

namespace orbex {
namespace {

template <typename Window>
QWidget* Create(const QString& title) {
    return title.isEmpty() ? new Window() : new Window(title);
}

}  // namespace

QWidget* CreateMonitorWindow(int kind, const QString& title) {
    switch (kind) {
#ifdef ORBEX_HAS_GENERAL_INFO_WINDOW
        case kGeneralInfoKind:
            return Create<CGeneralInfoWnd>(title);
#endif
#ifdef ORBEX_HAS_SATELLITE_WINDOW
        case kSatelliteKind:
            return Create<CSatelliteWnd>(title);
#endif
#ifdef ORBEX_HAS_CONSOLE_WINDOW
        case kConsoleKind:
            return Create<CConsoleWnd>(title);
#endif
        case kPositionPlotKind:
            return Create<CPositionPlotWnd>(title);
        case kVelocityKind:
            return Create<CVelocityWnd>(title);
        default:
            return nullptr;
    }
}

}  // namespace orbex
