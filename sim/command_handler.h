// The receiver's command side: cuts the bytes it receives into lines (CR LF, a lone CR from
// the handheld, or a bare LF), answers "@" commands, and runs the upload dialogues in which
// the received lines are data rather than commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/epoch_snapshot.h"
#include "sim/receiver_data.h"
#include "sim/receiver_world.h"
#include "sim/sim_options.h"

namespace orbex::sim {

inline constexpr const char* kStartupBanner = "VELMAR VM8140 GPS V1.04";
inline constexpr std::size_t kMaxCommandLength = 1024;
inline constexpr SimMillis kUploadTimeout = 10'000;

class CommandHandler {
  public:
    CommandHandler(const SimOptions& options, ReceiverWorld& world);

    // Takes received bytes; returns the reply lines (without terminator), in order. `latest`
    // is the newest epoch (its satellites size the assistance block).
    std::vector<std::string> Receive(std::string_view bytes, SimMillis t,
                                     const EpochSnapshot& latest);
    // Time passes: an upload that has had no line for kUploadTimeout is abandoned, leaving the
    // stored data as it was.
    std::vector<std::string> Tick(SimMillis t);

    const std::vector<std::string>& almanac() const { return almanac_; }
    const std::vector<std::string>& ephemeris() const { return ephemeris_; }
    bool uploading() const { return upload_ != Upload::kNone; }

  private:
    enum class Upload { kNone, kAlmanac, kEphemeris, kAssistHeader, kAssistData };
    // One received command and where its replies go.
    struct Command {
        const std::string& name;  // the letters after "@", upper-cased
        const std::string& line;  // the whole line, which most commands echo
        SimMillis t;
        const EpochSnapshot& latest;
        std::vector<std::string>& out;
    };
    using Handler = void (CommandHandler::*)(const Command& command);
    struct CommandSpec {
        const char* name;
        Handler handler;
    };
    static const std::vector<CommandSpec>& Commands();

    void HandleLine(const std::string& line, SimMillis t, const EpochSnapshot& latest,
                    std::vector<std::string>& out);
    void HandleDataLine(const std::string& line, SimMillis t, std::vector<std::string>& out);
    void Abandon(const std::string& why, std::vector<std::string>& out);

    void Reset(const Command& command);
    void Dump(const Command& command);
    void StartUpload(const Command& command);
    void AssistDump(const Command& command);
    void StartAssistUpload(const Command& command);
    void ClearMemory(const Command& command);
    void Acknowledge(const Command& command);

    SimOptions options_;
    ReceiverWorld& world_;

    // Line cutting
    std::string pending_;
    bool afterCr_ = false;
    bool overlong_ = false;

    // Stored data
    std::vector<std::string> almanac_;
    std::vector<std::string> ephemeris_;
    bool haveAssist_[2] = {false, false};
    AssistBlock assist_[2];

    // Upload in progress
    Upload upload_ = Upload::kNone;
    AssistNetwork network_ = AssistNetwork::kGsm;
    std::string uploadName_;
    int expectedLines_ = 0;
    int badLines_ = 0;
    std::string uploadHeader_;
    std::vector<std::string> received_;
    SimMillis lastUploadLine_ = 0;
};

}  // namespace orbex::sim
