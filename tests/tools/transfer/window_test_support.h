// What the data-transfer window tests share: a stand-in main window that sends to vm8140-sim
// and hands the receiver's lines to one open tool window, message boxes collected (the
// confirmation answered as told), and the settings store and program directory in a temporary
// folder.
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>

#include "gui/main_window_messages.h"
#include "gui/receiver_sink.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/window_messages.h"
#include "tests/link/link_test_support.h"
#include "tests/tools/transfer/sim_receiver.h"

namespace orbex::testing {

class StandInMainWindow {
  public:
    explicit StandInMainWindow(SimReceiver* receiver) : receiver_(receiver) {
        ::setenv("ORBEX_HOME", home_.Path().c_str(), 1);
        SharedSettingsStore().SetPath((home_.Path() / "orbex.reg").string());
        previousBox_ = SetMessageBoxFunction([this](const MessageRequest& request) {
            std::lock_guard lock(mutex_);
            boxes_.push_back(request);
            return request.buttons == MessageButtons::OkCancel ? answer_ : MessageResult::Ok;
        });
        SetMainWindowHandler([this](unsigned message, std::uintptr_t w, std::intptr_t l) {
            if (message == UWM_SEND_TO_RECEIVER && receiver_) {
                std::lock_guard lock(mutex_);
                sent_.emplace_back(reinterpret_cast<const char*>(w), static_cast<std::size_t>(l));
                receiver_->Send(sent_.back());
            } else if (message == UWM_WINDOW_CLOSED) {
                closed_ = true;
            }
            return std::intptr_t{0};
        });
    }
    ~StandInMainWindow() {
        SetMainWindowHandler({});
        SetMessageBoxFunction(previousBox_);
    }

    void Answer(MessageResult answer) { answer_ = answer; }
    // Runs the event loop, handing every received line to the window, until `done` or the
    // time-out; true when done.
    bool RunUntil(ReceiverSink* window, const std::function<bool()>& done, int timeoutMs = 20000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::string line;
            while (receiver_ && window && receiver_->queue().Take(line)) {
                window->OnReceiverLine(line);
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    std::vector<MessageRequest> Boxes() {
        std::lock_guard lock(mutex_);
        return boxes_;
    }
    std::vector<std::string> Sent() {
        std::lock_guard lock(mutex_);
        return sent_;
    }
    bool windowClosed() const { return closed_; }
    const std::filesystem::path& home() const { return home_.Path(); }

  private:
    SimReceiver* receiver_;
    TempDir home_;
    std::mutex mutex_;
    std::vector<MessageRequest> boxes_;
    std::vector<std::string> sent_;
    MessageResult answer_ = MessageResult::Ok;
    bool closed_ = false;
    MessageBoxFunction previousBox_;
};

// Saves a grab of the widget when ORBEX_SCREENSHOT_DIR names a folder (README pictures).
inline void SaveScreenshot(QWidget* widget, const char* name) {
    if (const char* dir = std::getenv("ORBEX_SCREENSHOT_DIR"); dir && *dir && widget) {
        widget->grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name));
    }
}

}  // namespace orbex::testing
