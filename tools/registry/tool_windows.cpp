#include "tools/registry/tool_windows.h"

namespace orbex {

QWidget* CreateToolWindow(int kind, const QString& title) {
    (void)title;
    switch (kind) {
        default:
            return nullptr;
    }
}

}  // namespace orbex
