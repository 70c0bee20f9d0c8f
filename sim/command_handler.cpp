#include "sim/command_handler.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace orbex::sim {
namespace {

std::string Trimmed(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') {
        ++b;
    }
    while (e > b && text[e - 1] == ' ') {
        --e;
    }
    return std::string(text.substr(b, e - b));
}

// The command's name: the letters after "@", upper-cased ("@GSV 1 " is GSV, "@RD1" is RD).
std::string CommandName(const std::string& line) {
    std::string name;
    for (std::size_t i = 1; i < line.size() && std::isalpha(static_cast<unsigned char>(line[i]));
         ++i) {
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(line[i])));
    }
    return name;
}

std::string Numbered(const std::string& prefix, int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return prefix + text;
}

}  // namespace

CommandHandler::CommandHandler(const SimOptions& options, ReceiverWorld& world)
    : options_(options),
      world_(world),
      almanac_(GenerateAlmanac(options.seed)),
      ephemeris_(GenerateEphemeris(options.seed)) {}

const std::vector<CommandHandler::CommandSpec>& CommandHandler::Commands() {
    static const std::vector<CommandSpec> table = {
        {"SR", &CommandHandler::Reset},
        {"SW", &CommandHandler::Reset},
        {"CD", &CommandHandler::Reset},
        {"AMO", &CommandHandler::Dump},
        {"EMO", &CommandHandler::Dump},
        {"AMI", &CommandHandler::StartUpload},
        {"EMI", &CommandHandler::StartUpload},
        {"ASO", &CommandHandler::AssistDump},
        {"SIO", &CommandHandler::AssistDump},
        {"ASI", &CommandHandler::StartAssistUpload},
        {"SII", &CommandHandler::StartAssistUpload},
        {"CLR", &CommandHandler::ClearMemory},
        {"GSV", &CommandHandler::Acknowledge},
        {"GS", &CommandHandler::Acknowledge},
        {"NC", &CommandHandler::Acknowledge},
        {"PM", &CommandHandler::Acknowledge},
        {"RD", &CommandHandler::Acknowledge},
    };
    return table;
}

std::vector<std::string> CommandHandler::Receive(std::string_view bytes, SimMillis t,
                                                 const EpochSnapshot& latest) {
    std::vector<std::string> out;
    for (char c : bytes) {
        const bool lf = c == '\n';
        if (lf && afterCr_) {  // the LF of a CR LF pair
            afterCr_ = false;
            continue;
        }
        afterCr_ = c == '\r';
        if (c == '\r' || lf) {
            if (overlong_) {
                out.push_back("[???] Err Line Too Long");
                overlong_ = false;
            } else {
                HandleLine(pending_, t, latest, out);
            }
            pending_.clear();
            continue;
        }
        if (pending_.size() >= kMaxCommandLength) {
            overlong_ = true;  // dropped whole at its terminator, with one error reply
            pending_.clear();
        }
        if (!overlong_) {
            pending_ += c;
        }
    }
    return out;
}

std::vector<std::string> CommandHandler::Tick(SimMillis t) {
    std::vector<std::string> out;
    if (upload_ != Upload::kNone && t - lastUploadLine_ > kUploadTimeout) {
        Abandon("Timeout", out);
    }
    return out;
}

void CommandHandler::HandleLine(const std::string& line, SimMillis t, const EpochSnapshot& latest,
                                std::vector<std::string>& out) {
    if (upload_ != Upload::kNone) {
        if (line.empty() || line[0] != '@') {
            HandleDataLine(line, t, out);
            return;
        }
        Abandon("Aborted", out);  // a command ends the upload and is then served
    }
    if (line.empty() || line[0] != '@') {
        return;  // not a command: the receiver ignores it
    }
    const std::string name = CommandName(line);
    for (const CommandSpec& spec : Commands()) {
        if (name == spec.name) {
            (this->*spec.handler)(Command{name, line, t, latest, out});
            return;
        }
    }
    out.push_back("[" + (name.empty() ? std::string("@") : name) + "] Err Unknown Command");
}

void CommandHandler::Abandon(const std::string& why, std::vector<std::string>& out) {
    const int expected = upload_ == Upload::kAssistHeader ? 1 : expectedLines_;
    out.push_back("[" + uploadName_ + "] Err " + why + " after " +
                  std::to_string(received_.size()) + " of " + std::to_string(expected) + " lines");
    upload_ = Upload::kNone;
    received_.clear();
}

void CommandHandler::Reset(const Command& command) {
    if (options_.ignoreResets) {
        return;  // a receiver whose command line is broken: nothing comes back
    }
    const StartMode mode = command.name == "SR"   ? StartMode::kHot
                           : command.name == "SW" ? StartMode::kWarm
                                                  : StartMode::kCold;
    command.out.push_back(command.line);
    command.out.push_back(kStartupBanner);
    world_.Restart(mode, command.t);
}

void CommandHandler::Dump(const Command& command) {
    command.out.push_back(command.line);
    const std::vector<std::string>& data = command.name == "AMO" ? almanac_ : ephemeris_;
    command.out.insert(command.out.end(), data.begin(), data.end());
}

void CommandHandler::StartUpload(const Command& command) {
    const bool almanac = command.name == "AMI";
    command.out.push_back(command.line);
    command.out.push_back("[" + command.name + "] Ready");
    upload_ = almanac ? Upload::kAlmanac : Upload::kEphemeris;
    uploadName_ = command.name;
    expectedLines_ = almanac ? kAlmanacLines : kEphemerisLines;
    badLines_ = 0;
    received_.clear();
    lastUploadLine_ = command.t;
}

void CommandHandler::AssistDump(const Command& command) {
    const AssistNetwork network =
        command.name == "ASO" ? AssistNetwork::kGsm : AssistNetwork::kWcdma;
    const int index = network == AssistNetwork::kGsm ? 0 : 1;
    command.out.push_back(command.line);
    if (options_.assistError) {
        command.out.push_back("[" + command.name + "] Err No Assistance Data");
        return;
    }
    if (!haveAssist_[index]) {
        const int satellites =
            std::clamp(static_cast<int>(command.latest.satellites.size()), 1, 16);
        assist_[index] = GenerateAssist(network, satellites, command.t, options_.seed);
    }
    command.out.push_back(assist_[index].header);
    command.out.insert(command.out.end(), assist_[index].lines.begin(), assist_[index].lines.end());
}

void CommandHandler::StartAssistUpload(const Command& command) {
    command.out.push_back(command.line);
    command.out.push_back("[" + command.name + "] Ready");
    upload_ = Upload::kAssistHeader;
    network_ = command.name == "ASI" ? AssistNetwork::kGsm : AssistNetwork::kWcdma;
    uploadName_ = command.name;
    expectedLines_ = 0;
    received_.clear();
    lastUploadLine_ = command.t;
}

void CommandHandler::ClearMemory(const Command& command) {
    almanac_ = GenerateAlmanac(options_.seed);
    ephemeris_ = GenerateEphemeris(options_.seed);
    haveAssist_[0] = haveAssist_[1] = false;
    command.out.push_back("[" + command.name + "] OK Memory Cleared");
}

void CommandHandler::Acknowledge(const Command& command) {
    const std::string arguments =
        Trimmed(std::string_view(command.line).substr(1 + command.name.size()));
    command.out.push_back("[" + command.name + "] OK" + (arguments.empty() ? "" : " " + arguments));
}

void CommandHandler::HandleDataLine(const std::string& line, SimMillis t,
                                    std::vector<std::string>& out) {
    lastUploadLine_ = t;
    switch (upload_) {
        case Upload::kAlmanac:
        case Upload::kEphemeris: {
            received_.push_back(line);
            const int n = static_cast<int>(received_.size());
            const bool good = IsDataLine(line, upload_ == Upload::kAlmanac ? "ALM" : "EPH");
            badLines_ += good ? 0 : 1;
            if (n < expectedLines_) {
                out.push_back(Numbered("[" + uploadName_ + "] Line ", n) + (good ? " OK" : " Err"));
                return;
            }
            (upload_ == Upload::kAlmanac ? almanac_ : ephemeris_) = received_;
            out.push_back("[" + uploadName_ + "] Completed " + std::to_string(n) + " lines" +
                          (badLines_ > 0 ? ", " + std::to_string(badLines_) + " bad" : ""));
            upload_ = Upload::kNone;
            received_.clear();
            return;
        }
        case Upload::kAssistHeader: {
            uploadHeader_ = line;
            expectedLines_ = ExpectedAssistLines(network_, line);
            if (expectedLines_ <= 0) {
                out.push_back(CheckAssistUpload(network_, line, {}, t).text);
                upload_ = Upload::kNone;
                return;
            }
            upload_ = Upload::kAssistData;
            return;
        }
        case Upload::kAssistData: {
            received_.push_back(line);
            if (static_cast<int>(received_.size()) < expectedLines_) {
                return;
            }
            const AssistVerdict verdict = CheckAssistUpload(network_, uploadHeader_, received_, t);
            if (verdict.ok) {
                const int index = network_ == AssistNetwork::kGsm ? 0 : 1;
                assist_[index] = AssistBlock{uploadHeader_, received_};
                haveAssist_[index] = true;
            }
            out.push_back(verdict.text);
            upload_ = Upload::kNone;
            received_.clear();
            return;
        }
        case Upload::kNone:
            return;
    }
}

}  // namespace orbex::sim
