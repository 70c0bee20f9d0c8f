#include "gui/main_window_messages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <chrono>
#include <deque>
#include <future>
#include <memory>
#include <mutex>

#include "platform/window_messages.h"

namespace orbex {
namespace {

const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type kSendsWaiting = static_cast<QEvent::Type>(QEvent::registerEventType());

class PostedMessageEvent : public QEvent {
  public:
    PostedMessageEvent(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
        : QEvent(kPostedMessage), message(message), wParam(wParam), lParam(lParam) {}
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

struct PendingSend {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    std::promise<std::intptr_t> result;
};

// Lives on the user-interface thread and turns the posted events into handler calls.
class MessagePump : public QObject {
  public:
    bool event(QEvent* e) override;
};

struct MainWindowTarget {
    // Guards handler, pump and sends: posts and sends come from any thread.
    std::mutex mutex;
    PrivateMessageHandler handler;
    std::unique_ptr<MessagePump> pump;
    std::deque<std::shared_ptr<PendingSend>> sends;
};

MainWindowTarget& Target() {
    static MainWindowTarget target;
    return target;
}

bool OnTargetThread() {
    auto& t = Target();
    std::lock_guard lock(t.mutex);  // the pump pointer may be replaced concurrently
    return t.pump && QThread::currentThread() == t.pump->thread();
}

std::intptr_t CallHandler(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    PrivateMessageHandler handler;
    {
        std::lock_guard lock(Target().mutex);  // copy out: the handler runs without the lock
        handler = Target().handler;
    }
    return handler ? handler(message, wParam, lParam) : 0;
}

bool MessagePump::event(QEvent* e) {
    if (e->type() == kPostedMessage) {
        const auto* m = static_cast<PostedMessageEvent*>(e);
        CallHandler(m->message, m->wParam, m->lParam);
        return true;
    }
    if (e->type() == kSendsWaiting) {
        HandlePendingSends();
        return true;
    }
    return QObject::event(e);
}

}  // namespace

void SetMainWindowHandler(PrivateMessageHandler handler) {
    auto& t = Target();
    std::deque<std::shared_ptr<PendingSend>> released;
    std::unique_ptr<MessagePump> oldPump;
    {
        std::lock_guard lock(t.mutex);  // replace handler and pump as one step
        t.handler = std::move(handler);
        if (t.handler) {
            if (!t.pump) {
                t.pump = std::make_unique<MessagePump>();
            }
        } else {
            oldPump = std::move(t.pump);
            released.swap(t.sends);
        }
    }
    for (auto& send : released) {
        send->result.set_value(0);
    }
}

void HandlePendingSends() {
    auto& t = Target();
    for (;;) {
        std::shared_ptr<PendingSend> send;
        {
            std::lock_guard lock(t.mutex);  // unlink one waiting send
            if (t.sends.empty()) {
                return;
            }
            send = t.sends.front();
            t.sends.pop_front();
        }
        send->result.set_value(CallHandler(send->message, send->wParam, send->lParam));
    }
}

void JoinWhileHandlingSends(std::thread& worker, const std::atomic<bool>& finished) {
    if (!worker.joinable()) {
        return;
    }
    // Polled: a send is queued from the worker's thread and nothing wakes this one for it.
    while (!finished.load()) {
        HandlePendingSends();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    worker.join();
}

void PostToMainWindow(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    auto& t = Target();
    std::lock_guard lock(t.mutex);  // the pump must not go away while the event is posted
    if (t.pump) {
        QCoreApplication::postEvent(t.pump.get(), new PostedMessageEvent(message, wParam, lParam));
    }
}

std::intptr_t SendToMainWindow(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (OnTargetThread()) {
        return CallHandler(message, wParam, lParam);
    }
    auto send = std::make_shared<PendingSend>(PendingSend{message, wParam, lParam, {}});
    std::future<std::intptr_t> result = send->result.get_future();
    {
        auto& t = Target();
        std::lock_guard lock(t.mutex);  // link the send and wake the pump together
        if (!t.pump) {
            return 0;
        }
        t.sends.push_back(send);
        QCoreApplication::postEvent(t.pump.get(), new QEvent(kSendsWaiting));
    }
    // Blocks until the user-interface thread ran the handler, or removed it (result 0).
    return result.get();
}

void SendWindowClosed(QWidget* window) {
    SendToMainWindow(UWM_WINDOW_CLOSED, reinterpret_cast<std::uintptr_t>(window), 0);
}

}  // namespace orbex
