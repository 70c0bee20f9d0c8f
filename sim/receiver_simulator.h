// The whole stand-in receiver without its transport: the world, the output formats, the
// command dialogues, the faults and the truth file. The program feeds it time and received
// bytes and writes out the bytes it returns.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "sim/command_handler.h"
#include "sim/epoch_snapshot.h"
#include "sim/fault_injector.h"
#include "sim/receiver_world.h"
#include "sim/sim_options.h"
#include "sim/truth_writer.h"

namespace orbex::sim {

class ReceiverSimulator {
  public:
    // `truth` may be null (no truth file).
    ReceiverSimulator(const SimOptions& options, SimMillis start, std::ostream* truth);

    // The bytes of the epoch at time t: its lines in the chosen formats, framed.
    std::string Epoch(SimMillis t);
    // Bytes received from the other side at time t; returns the replies, framed.
    std::string Receive(std::string_view bytes, SimMillis t);
    // Time passes without input; returns any reply (an abandoned upload).
    std::string Tick(SimMillis t);

    SimMillis period() const { return period_; }
    const EpochSnapshot& latest() const { return latest_; }
    const CommandHandler& commands() const { return commands_; }
    const ReceiverWorld& world() const { return world_; }
    long linesSent() const { return truth_.written(); }

  private:
    void AddLine(std::string& out, const std::string& text, const std::string& tag,
                 bool checksummed, const EpochSnapshot* epoch, const std::string& extraFields,
                 SimMillis t);
    std::string Replies(const std::vector<std::string>& lines, SimMillis t);
    void AddNmeaEpoch(std::string& out, const EpochSnapshot& e);

    SimOptions options_;
    SimMillis period_;
    ReceiverWorld world_;
    CommandHandler commands_;
    FaultInjector faults_;
    TruthWriter truth_;
    EpochSnapshot latest_;
};

}  // namespace orbex::sim
