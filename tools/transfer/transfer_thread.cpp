#include "tools/transfer/transfer_thread.h"

#include <utility>

#include "gui/main_window_messages.h"
#include "platform/window_messages.h"

namespace orbex {

void TransferThread::Start(Work work) {
    Stop();
    queue_.Restart();
    finished_.store(false);
    worker_ = std::thread([this, work = std::move(work)] {
        TransferSession session(queue_, [](std::string_view bytes) {
            SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(bytes.data()),
                             static_cast<std::intptr_t>(bytes.size()));
        });
        work(session);
        finished_.store(true);
    });
}

void TransferThread::Stop() {
    if (worker_.joinable()) {
        queue_.Cancel();
        JoinWhileHandlingSends(worker_, finished_);
    }
}

}  // namespace orbex
