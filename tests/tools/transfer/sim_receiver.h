// vm8140-sim on a pseudo-terminal with a headless link to it, for the workers' end-to-end tests.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "link/receiver_session.h"
#include "tests/sim/child_process.h"
#include "tools/common/transfer_line_queue.h"
#include "tools/transfer/transfer_session.h"

namespace orbex::testing {

class SimReceiver {
  public:
    explicit SimReceiver(std::vector<std::string> options = {}) {
        std::vector<std::string> args = {ORBEX_SIM_EXE, "--rate", "5"};
        args.insert(args.end(), options.begin(), options.end());
        sim_ = std::make_unique<sim::testing::ChildProcess>(args);
        const auto path = sim_->ReadLine(5000);  // the first line names the slave side
        if (!path) {
            return;
        }
        PortSettings settings;
        settings.flowXon = 0;
        link_.ForwardLines([this](const std::string& line) { queue_.Append(line); });
        open_ = link_.Open(nullptr, settings, *path);
    }

    bool open() const { return open_; }
    TransferSession Session() {
        TransferSession session{queue_, [this](std::string_view bytes) { Send(bytes); }};
        session.waitLimit = std::chrono::milliseconds(10000);  // a broken test ends
        return session;
    }
    bool Send(std::string_view bytes) { return link_.Write(bytes); }
    TransferLineQueue& queue() { return queue_; }

  private:
    std::unique_ptr<sim::testing::ChildProcess> sim_;
    TransferLineQueue queue_;
    ReceiverSession link_;  // after the queue: its forwarder fills the queue until it ends
    bool open_ = false;
};

}  // namespace orbex::testing
