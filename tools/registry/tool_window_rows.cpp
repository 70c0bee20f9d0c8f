#include "tools/registry/tool_window_rows.h"

#include <array>

#include "gui/orbex_commands.h"
#include "tools/assist/assist_window.h"
#include "tools/common/data_transfer_mode.h"
#include "tools/reset/software_reset_window.h"
#include "tools/transfer/acquisition_window.h"
#include "tools/transfer/transmission_window.h"
#include "tools/ttff/ttff_window.h"

namespace orbex {
namespace {

// The tools read raw lines only: the decoder is not theirs to read.
template <typename Window>
QWidget* Make(const QString& title, std::uint8_t, LineDecoder&) {
    return new Window(title);
}

template <typename Window>
QWidget* MakeTransfer(const QString& title, std::uint8_t mode, LineDecoder&) {
    return new Window(title, mode);
}

// The ephemeris commands open the almanac windows' kinds with their own mode and the almanac
// command's title.
constexpr std::array<WindowRow, 8> kRows = {{
    {kCmdTransmitAlmanac, 4, kTransferAlmanac, kCmdTransmitAlmanac, WindowFeed::EveryLine,
     "transmission", MakeTransfer<CTransmissionWnd>},
    {kCmdTransmitEphemeris, 4, kTransferEphemerisTransmit, kCmdTransmitAlmanac,
     WindowFeed::EveryLine, "transmission", MakeTransfer<CTransmissionWnd>},
    {kCmdTransmitAlmanacEphemeris, 4, kTransferAlmanacEphemerisTransmit, kCmdTransmitAlmanac,
     WindowFeed::EveryLine, "transmission", MakeTransfer<CTransmissionWnd>},
    {kCmdAcquireAlmanac, 5, kTransferAlmanac, kCmdAcquireAlmanac, WindowFeed::EveryLine,
     "acquisition", MakeTransfer<CAcquisitionWnd>},
    {kCmdAcquireEphemeris, 5, kTransferEphemerisAcquire, kCmdAcquireAlmanac, WindowFeed::EveryLine,
     "acquisition", MakeTransfer<CAcquisitionWnd>},
    {kCmdAssistData, 6, kTransferAlmanac, kCmdAssistData, WindowFeed::EveryLine, "assist",
     Make<CAssistWnd>},
    {kCmdTtff, 8, kTransferAlmanac, kCmdTtff, WindowFeed::EveryLine, "ttff", Make<CTtffWnd>},
    {kCmdSoftwareReset, 12, kTransferAlmanac, kCmdSoftwareReset, WindowFeed::RecognisedLine,
     "software-reset", Make<CSoftwareResetWnd>},
}};

}  // namespace

std::span<const WindowRow> ToolWindowRows() {
    return kRows;
}

}  // namespace orbex
