// vm8140-sim on a pseudo-terminal with a headless link to it, for the workers' end-to-end tests.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/orbex_data/data_link.h"
#include "tests/sim/child_process.h"

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
        ::setenv("ORBEX_SERIAL_PORTS", path->c_str(), 1);
        PortSettings settings;
        settings.flowXon = 0;
        open_ = link_.Open(settings);
    }

    bool open() const { return open_; }
    TransferSession Session() {
        TransferSession session = link_.Session();
        session.waitLimit = std::chrono::milliseconds(10000);  // a broken test ends
        return session;
    }
    DataLink& link() { return link_; }

  private:
    std::unique_ptr<sim::testing::ChildProcess> sim_;
    DataLink link_;
    bool open_ = false;
};

}  // namespace orbex::testing
