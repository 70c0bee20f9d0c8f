#include "windows/console/console_window.h"

#include <QPointer>
#include <QVBoxLayout>

#include "gui/commands_dialog.h"
#include "gui/recording_surface.h"

namespace orbex {

CConsoleWnd::CConsoleWnd(const QString& title, QWidget* parent)
    : CConsoleWnd(ReadConsoleMaxLines(), title, parent) {}

CConsoleWnd::CConsoleWnd(int maxLines, const QString& title, QWidget* parent)
    : CMonitorWnd(kConsoleKind, title, parent), maxLines_(maxLines), list_(new ConsoleList(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    setFocusProxy(list_);
    list_->setFocus();
    list_->onCharacter = [this](const QString& typed) { EnterCommand(typed); };
    list_->onEndOrHome = [this](int key) { OnEndOrHome(key); };
}

void CConsoleWnd::OnReceiverLine(std::string_view line) {
    const std::size_t end = line.find_first_of("\r\n");
    const std::string_view text = line.substr(0, end);
    // Received bytes are single-byte text; Latin-1 shows each byte as one character.
    const QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));

    // Once the lines of a drain are in, the view moves if it was at the bottom at the first.
    const bool atBottom = showPending_ ? follow_ : list_->AtBottom();
    const int countBefore = list_->lines().count();
    const int index = list_->AddLine(shown);
    if (index > maxLines_) {
        list_->DropOldest(countBefore / 3);
    }
    if (!showPending_) {
        showPending_ = true;
        follow_ = atBottom;
        // Shown once per drain of lines, when the event loop runs again: after the
        // comparisons of the windows dispatched before the Console, so that its repaint is
        // asked for after theirs and its rows and scroll bars are drawn once.
        QMetaObject::invokeMethod(
            this,
            [this] {
                showPending_ = false;
                list_->ShowNewLines(follow_);
            },
            Qt::QueuedConnection);
    }
}

void CConsoleWnd::Paint(DrawSurface& surface) {
    // The list draws itself on screen; a recording gets its items.
    if (auto* recording = dynamic_cast<RecordingSurface*>(&surface)) {
        for (const QString& item : list_->lines().lines()) {
            recording->Item(item);
        }
    }
}

void CConsoleWnd::EnterCommand(const QString& typed) {
    // Control characters open the dialog with an empty field.
    const QString initial = typed.front().unicode() >= 32 ? typed : QString();
    QPointer<ConsoleList> list(list_);
    RunCommandsDialog(this, initial);
    if (list) {
        list->setFocus();
    }
}

void CConsoleWnd::OnEndOrHome(int key) {
    if (key == Qt::Key_End) {
        close();
    }
    HandleMonitorKey(this, Qt::Key_Home);
}

}  // namespace orbex
