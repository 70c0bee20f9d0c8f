#include "windows/registry/monitor_window_rows.h"

#include <array>
#include <type_traits>

#include "gui/orbex_commands.h"
#include "windows/console/console_window.h"
#include "windows/general_info/general_info_window.h"
#include "windows/position_plot/position_plot_window.h"
#include "windows/satellites/satellite_window.h"
#include "windows/signal_history/signal_history_window.h"
#include "windows/velocity/velocity_window.h"

namespace orbex {
namespace {

// An empty title keeps the window's own (orbex-render opens windows without one). The windows
// that show what the decoder keeps from line to line are made with it.
template <typename Window>
QWidget* Make(const QString& title, std::uint8_t, LineDecoder& decoder) {
    if constexpr (std::is_constructible_v<Window, LineDecoder&, const QString&>) {
        return title.isEmpty() ? new Window(decoder) : new Window(decoder, title);
    } else {
        return title.isEmpty() ? new Window() : new Window(title);
    }
}

constexpr std::array<WindowRow, 6> kRows = {{
    {kCmdGeneralInformation, kGeneralInfoKind, 0, kCmdGeneralInformation, WindowFeed::Record,
     "general-info", Make<CGeneralInfoWnd>},
    {kCmdSatelliteConstellation, kSatelliteKind, 0, kCmdSatelliteConstellation, WindowFeed::Record,
     "satellites", Make<CSatelliteWnd>},
    {kCmdPositionPlot, kPositionPlotKind, 0, kCmdPositionPlot, WindowFeed::Record, "position-plot",
     Make<CPositionPlotWnd>},
    {kCmdConsole, kConsoleKind, 0, kCmdConsole, WindowFeed::EveryLine, "console",
     Make<CConsoleWnd>},
    {kCmdVelocity, kVelocityKind, 0, kCmdVelocity, WindowFeed::Record, "velocity",
     Make<CVelocityWnd>},
    {kCmdSignalHistory, kSignalHistoryKind, 0, kCmdSignalHistory, WindowFeed::Record,
     "signal-history", Make<CSignalHistoryWnd>},
}};

}  // namespace

std::span<const WindowRow> MonitorWindowRows() {
    return kRows;
}

}  // namespace orbex
