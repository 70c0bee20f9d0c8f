#include "windows/common/monitor_window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>

#include "gui/always_on_top.h"
#include "gui/main_window_messages.h"
#include "gui/painter_surface.h"
#include "gui/shortcut_key.h"
#include "gui/window_table.h"
#include "platform/message_box.h"
#include "platform/program_directory.h"
#include "platform/window_messages.h"
#include "windows/common/window_picture.h"

namespace orbex {
namespace {

// The key codes the main window understands in UWM_KEY_COMMAND (the receiver-tool numbering:
// F1..F10 are 0x70..0x79, letters their upper-case character).
constexpr std::uintptr_t kKeyCodeF1 = 0x70;

QWidget* FindMainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("COrbexWnd")) {
            return w;
        }
    }
    return nullptr;
}

}  // namespace

CMonitorWnd::CMonitorWnd(int kind, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window),
      kind_(kind),
      repaints_(
          *this, [this](DrawSurface& surface) { Paint(surface); },
          [this](DrawSurface& surface) { PaintForComparison(surface); }, &texts_) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    resize(640, 480);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

CMonitorWnd::~CMonitorWnd() {
    SendWindowClosed(this);
}

void CMonitorWnd::ToggleAlwaysOnTop() {
    alwaysOnTop_ = !alwaysOnTop_;
    SetStaysOnTop(*this, alwaysOnTop_);
}

void CMonitorWnd::OnSystemCommand(int id) {
    if (id >= kAlwaysOnTopCommand && id <= kAlwaysOnTopCommand + 15) {
        ToggleAlwaysOnTop();
    }
}

bool CMonitorWnd::HandleMonitorKey(QWidget* window, int key) {
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        PostToMainWindow(UWM_KEY_COMMAND, static_cast<std::uintptr_t>(key - Qt::Key_1), 0);
        return true;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F10) {
        PostToMainWindow(UWM_KEY_COMMAND,
                         kKeyCodeF1 + static_cast<std::uintptr_t>(key - Qt::Key_F1), 0);
        return true;
    }
    switch (key) {
        case Qt::Key_A:
        case Qt::Key_H:
        case Qt::Key_I:
        case Qt::Key_O:
        case Qt::Key_S:
        case Qt::Key_T:
            PostToMainWindow(UWM_KEY_COMMAND, static_cast<std::uintptr_t>(key), 0);
            return true;
        case Qt::Key_End: {
            QWidget* active = QApplication::activeWindow();
            (active != nullptr ? active : window)->close();
            return true;
        }
        case Qt::Key_Home:
            if (QWidget* main = FindMainWindow()) {
                if (main->isMinimized()) {
                    main->showNormal();
                }
                main->raise();
                main->activateWindow();
            }
            return true;
        default:
            return false;
    }
}

void CMonitorWnd::keyPressEvent(QKeyEvent* event) {
    if (IsShortcutKey(*event) || !HandleMonitorKey(this, event->key())) {
        QWidget::keyPressEvent(event);
    }
}

void CMonitorWnd::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* onTop = menu.addAction(QString::fromUtf8("常に手前に表示(&O)"));
    onTop->setData(kAlwaysOnTopCommand);
    onTop->setCheckable(true);
    onTop->setChecked(alwaysOnTop_);
    menu.addSeparator();
    QAction* savePicture = menu.addAction(QStringLiteral("Save picture..."));
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == savePicture) {
        SavePicture();
    } else if (chosen != nullptr) {
        OnSystemCommand(chosen->data().toInt());
    }
}

void CMonitorWnd::SavePicture() {
    const WindowRow* row = InstalledWindowTable().RowOfKind(kind_);
    const QString name =
        row != nullptr ? QString::fromLatin1(row->name.data(), static_cast<int>(row->name.size()))
                       : QStringLiteral("window");
    const QString offered = QString::fromStdString(ProgramDirectory()) +
                            PictureFileName(name, QDateTime::currentDateTime());
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save picture"), offered,
                                                      QStringLiteral("PNG pictures (*.png)"));
    if (path.isEmpty()) {
        return;  // cancelled
    }
    const QString error = SaveWindowPicture(*this, path);
    if (!error.isEmpty()) {
        ShowMessageBox(error.toStdString(), windowTitle().toStdString(), MessageIcon::Error);
    }
}

void CMonitorWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    PainterSurface surface(painter, &texts_);
    repaints_.Paint(surface, event->region());
}

}  // namespace orbex
