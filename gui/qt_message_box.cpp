#include "gui/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QThread>

#include "platform/message_box.h"

namespace orbex {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

// The answers and the buttons that give them: the default button of a box, and what the
// button the user pressed answers. Ok where no row says otherwise.
struct AnswerButton {
    MessageResult answer;
    QMessageBox::StandardButton button;
};
constexpr AnswerButton kAnswerButtons[] = {
    {MessageResult::Ok, QMessageBox::Ok},
    {MessageResult::Cancel, QMessageBox::Cancel},
    {MessageResult::Yes, QMessageBox::Yes},
    {MessageResult::No, QMessageBox::No},
};

QMessageBox::StandardButton ToQtButton(MessageResult answer) {
    for (const AnswerButton& row : kAnswerButtons) {
        if (row.answer == answer) {
            return row.button;
        }
    }
    return QMessageBox::Ok;
}

MessageResult AnswerOf(int button) {
    for (const AnswerButton& row : kAnswerButtons) {
        if (row.button == button) {
            return row.answer;
        }
    }
    return MessageResult::Ok;
}

// What Return answers: the named default button, else the first one.
MessageResult DefaultAnswer(const MessageRequest& request) {
    if (request.defaultButton) {
        return *request.defaultButton;
    }
    return request.buttons == MessageButtons::Ok || request.buttons == MessageButtons::OkCancel
               ? MessageResult::Ok
               : MessageResult::Yes;
}

// Set and read on the user-interface thread only.
QPointer<QWidget>& FallbackOwner() {
    static QPointer<QWidget> owner;
    return owner;
}

QWidget* Owner() {
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : FallbackOwner().data();
}

MessageResult ShowModal(const MessageRequest& request) {
    const QString caption = request.caption.empty()
                                ? QApplication::applicationDisplayName()
                                : QString::fromLocal8Bit(request.caption.c_str());
    QMessageBox box(ToQtIcon(request.icon), caption, QString::fromLocal8Bit(request.text.c_str()),
                    ToQtButtons(request.buttons), Owner());
    if (request.defaultButton) {
        box.setDefaultButton(ToQtButton(*request.defaultButton));
    }
    return AnswerOf(box.exec());
}

}  // namespace

void SetMessageBoxOwner(QWidget* owner) {
    FallbackOwner() = owner;
}

void InstallQtMessageBox() {
    SetMessageBoxFunction([](const MessageRequest& request) {
        QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr) {
            return DefaultAnswer(request);
        }
        if (QThread::currentThread() == app->thread()) {
            return ShowModal(request);
        }
        // Shown later on the user-interface thread, through whatever function is installed then.
        QMetaObject::invokeMethod(
            app,
            [request] {
                ShowMessageBox(request.text, request.caption, request.icon, request.buttons,
                               request.defaultButton);
            },
            Qt::QueuedConnection);
        return DefaultAnswer(request);
    });
}

}  // namespace orbex
