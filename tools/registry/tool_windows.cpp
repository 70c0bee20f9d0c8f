#include "tools/registry/tool_windows.h"

#include "tools/reset/software_reset_wnd.h"
#include "tools/ttff/ttff_wnd.h"

namespace orbex {

QWidget* CreateToolWindow(int kind, const QString& title) {
    switch (kind) {
        case 8:
            return new CTtffWnd(title);
        case 12:
            return new CSoftwareResetWnd(title);
        default:
            return nullptr;
    }
}

}  // namespace orbex
