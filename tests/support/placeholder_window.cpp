#include "tests/support/placeholder_window.h"

#include <QPainter>

#include "gui/main_window_messages.h"
#include "gui/painter_surface.h"
#include "gui/window_table.h"
#include "platform/window_messages.h"
#include "tools/registry/tool_window_rows.h"
#include "windows/registry/monitor_window_rows.h"

namespace orbex {

CPlaceholderWnd::CPlaceholderWnd(int kind, const QString& title)
    : QWidget(nullptr, Qt::Window), kind_(kind) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    resize(640, 480);
}

CPlaceholderWnd::~CPlaceholderWnd() {
    SendToMainWindow(UWM_WINDOW_CLOSED,
                     reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(this)), 0);
}

void CPlaceholderWnd::OnReceiverLine(std::string_view line) {
    ++lines_;
    lastLine_.assign(line);
    update();
}

void CPlaceholderWnd::OnReceiverRecord(const ReceiverState& record) {
    ++records_;
    lastLine_ = record.kind;
    update();
}

void CPlaceholderWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface surface(painter);
    surface.Fill(rect(), QColor(0, 0, 0));
    std::string shown = lastLine_;
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) {
        shown.pop_back();
    }
    surface.TextOut(8, 8, windowTitle(), QColor(255, 255, 255), NoColor());
    surface.TextOut(8, 28, QStringLiteral("lines %1  records %2").arg(lines_).arg(records_),
                    QColor(160, 160, 160), NoColor());
    surface.TextOut(8, 48, QString::fromLatin1(shown.data(), static_cast<int>(shown.size())),
                    QColor(0, 255, 0), NoColor());
}

void InstallPlainWindows() {
    InstallWindowTable(
        WindowTable({MonitorWindowRows(), ToolWindowRows()})
            .WithMaker([](const WindowRow& row, const QString& title, LineDecoder&) -> QWidget* {
                return new CPlaceholderWnd(row.kind, title);
            }));
}

}  // namespace orbex
