// A receiver played by the test inside the worker's send: each command or data line the worker
// sends is recorded, and the replies the script gives are queued at once, as the main window
// would queue the receiver's lines.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/transfer/transfer_session.h"

namespace orbex::testing {

class ScriptedReceiver {
  public:
    using Script = std::function<std::vector<std::string>(const std::string& sent)>;

    explicit ScriptedReceiver(Script script) : script_(std::move(script)) {}

    TransferSession Session() {
        TransferSession session(queue_, [this](std::string_view bytes) {
            const std::string sent(bytes);
            {
                std::lock_guard lock(mutex_);
                sent_.push_back(sent);
            }
            for (const std::string& reply : script_(sent)) {
                queue_.Append(reply);
            }
        });
        session.waitLimit = std::chrono::milliseconds(3000);  // a broken test ends
        return session;
    }
    void Output(const std::string& line) { queue_.Append(line); }
    std::vector<std::string> Sent() {
        std::lock_guard lock(mutex_);
        return sent_;
    }
    TransferLineQueue& queue() { return queue_; }

  private:
    Script script_;
    TransferLineQueue queue_;
    std::mutex mutex_;
    std::vector<std::string> sent_;
};

// Two lines of regular NMEA output: enough for both workers' synchronisation.
inline void RegularOutput(ScriptedReceiver& receiver, int count = 2) {
    for (int i = 0; i < count; ++i) {
        receiver.Output("$GPGGA,120000.00,3540.0000,N,13945.0000,E,1,08,1.0,10.0,M,,,,*00\r\n");
    }
}

// Regular output every 10 ms while it lives (the transmission discards what came before it).
class KeepOutputting {
  public:
    explicit KeepOutputting(ScriptedReceiver& receiver)
        : thread_([this, &receiver] {
              while (!stop_.Wait(std::chrono::milliseconds(10))) {
                  RegularOutput(receiver, 1);
              }
          }) {}
    ~KeepOutputting() {
        stop_.Set();
        thread_.join();
    }

  private:
    Event stop_{Event::Reset::Manual};
    std::thread thread_;
};

}  // namespace orbex::testing
