#include "gui/tool_window.h"

#include "gui/main_window_messages.h"

namespace orbex {

CToolWnd::CToolWnd(const QString& title) : QWidget(nullptr, Qt::Window) {
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
}

CToolWnd::~CToolWnd() {
    SendWindowClosed(this);
}

}  // namespace orbex
