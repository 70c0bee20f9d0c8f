#include "tools/registry/tool_windows.h"

#include "tools/assist/assist_window.h"
#include "tools/common/data_transfer_mode.h"
#include "tools/reset/software_reset_wnd.h"
#include "tools/transfer/acquisition_window.h"
#include "tools/transfer/transmission_window.h"
#include "tools/ttff/ttff_wnd.h"

namespace orbex {

QWidget* CreateToolWindow(int kind, const QString& title) {
    switch (kind) {
        case 4:
            return new CTransmissionWnd(title, CurrentDataTransferMode());
        case 5:
            return new CAcquisitionWnd(title, CurrentDataTransferMode());
        case 6:
            return new CAssistWnd(title);
        case 8:
            return new CTtffWnd(title);
        case 12:
            return new CSoftwareResetWnd(title);
        default:
            return nullptr;
    }
}

}  // namespace orbex
