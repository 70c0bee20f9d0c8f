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

QMessageBox::StandardButton ToQtButton(MessageResult result) {
    switch (result) {
        case MessageResult::Cancel:
            return QMessageBox::Cancel;
        case MessageResult::Yes:
            return QMessageBox::Yes;
        case MessageResult::No:
            return QMessageBox::No;
        case MessageResult::Ok:
            break;
    }
    return QMessageBox::Ok;
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
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return MessageResult::Cancel;
        case QMessageBox::Yes:
            return MessageResult::Yes;
        case QMessageBox::No:
            return MessageResult::No;
        default:
            return MessageResult::Ok;
    }
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
