// orbex-data: the headless data transfer. Acquires almanac, ephemeris or assistance data from a
// receiver into its file, or transmits a stored file into the receiver, with the very workers
// the windows of Orbex's Tools menu run, over a receiver link opened as Orbex opens it.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cli/common/command_line.h"
#include "cli/common/message_lines.h"
#include "cli/common/output_check.h"
#include "cli/common/port_failure.h"
#include "cli/orbex_data/data_file_check.h"
#include "cli/orbex_data/data_options.h"
#include "cli/orbex_data/data_result.h"
#include "cli/orbex_data/upload_watch.h"
#include "link/port_list.h"
#include "link/receiver_session.h"
#include "platform/message_box.h"
#include "platform/window_messages.h"
#include "tools/assist/assist_workers.h"
#include "tools/common/transfer_line_queue.h"
#include "tools/transfer/acquisition_worker.h"
#include "tools/transfer/data_file.h"
#include "tools/transfer/data_file_paths.h"
#include "tools/transfer/transfer_messages.h"
#include "tools/transfer/transmission_worker.h"

namespace orbex {
namespace {

// The progress line on standard error: rewritten in place on a terminal, otherwise a new line
// for each new text and every tenth percent, so that a log stays short.
class ProgressLine {
  public:
    ProgressLine() : terminal_(::isatty(STDERR_FILENO) == 1) {}

    void SetText(const std::string& text) {
        text_ = text;
        Show();
    }
    // A new transfer: its text from 0 %.
    void Start(const std::string& text) {
        percent_ = 0;
        SetText(text);
    }
    void SetPercent(int percent) {
        percent = std::clamp(percent, 0, 100);
        const bool step = percent / 10 != percent_ / 10;
        percent_ = percent;
        if (terminal_ || step) {
            Show();
        }
    }
    // A message of its own line, the progress line following it.
    void Say(const std::string& message) {
        EndLine();
        std::fprintf(stderr, "orbex-data: %s\n", OneLine(message).c_str());
        std::fflush(stderr);
    }
    void EndLine() {
        if (open_) {
            std::fputc('\n', stderr);
            open_ = false;
        }
    }

  private:
    void Show() {
        if (terminal_) {
            std::fprintf(stderr, "\r\033[Korbex-data: %s %3d%%", text_.c_str(), percent_);
            open_ = true;
        } else {
            std::fprintf(stderr, "orbex-data: %s %d%%\n", text_.c_str(), percent_);
        }
        std::fflush(stderr);
    }

    const bool terminal_;
    std::string text_;
    int percent_ = 0;
    bool open_ = false;
};

// Ctrl-C and SIGTERM cancel the transfer as the progress dialog's "Cancel" does: a thread
// waits for them (blocked everywhere else) and signals the cancel event.
class CancelOnSignal {
  public:
    explicit CancelOnSignal(TransferLineQueue& queue) {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, SIGTERM);
        sigaddset(&signals_, SIGUSR1);  // ends the waiting thread
        // An ignored signal is dropped even while blocked (a script's background job starts
        // with SIGINT ignored), so each gets a handler; sigwait takes them before it runs.
        struct sigaction action {};
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
        pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
        waiter_ = std::thread([this, &queue] {
            int signal = 0;
            while (sigwait(&signals_, &signal) == 0 && signal != SIGUSR1) {
                queue.Cancel();
            }
        });
    }
    ~CancelOnSignal() {
        pthread_kill(waiter_.native_handle(), SIGUSR1);
        waiter_.join();
    }

  private:
    sigset_t signals_;
    std::thread waiter_;
};

// A transfer with the file(s) it reads or writes, worked out before anything is sent.
struct Plan {
    bool get = true;
    std::uint8_t mode = kTransferAlmanac;  // the worker's transfer mode (almanac and ephemeris)
    std::optional<AssistNetwork> assist;
    std::vector<std::string> files;  // get both: AL.DAT then EP.DAT; put: the files read
    TransmissionFiles transmission;
};

std::string FileIn(const DataOptions& options, const std::string& name,
                   const std::string& fallback) {
    if (options.file) {
        return *options.file;
    }
    if (options.directory) {
        std::string directory = *options.directory;
        return directory.back() == '/' ? directory + name : directory + "/" + name;
    }
    return fallback;
}

std::vector<Plan> PlanTransfers(const DataOptions& options) {
    const bool get = options.direction == DataDirection::Get;
    std::vector<Plan> plans;
    const auto acquire = [&](std::uint8_t mode) {
        const bool ephemeris = mode == kTransferEphemerisAcquire;
        Plan plan;
        plan.mode = mode;
        plan.files = {FileIn(options, ephemeris ? kEphemerisFileName : kAlmanacFileName,
                             AcquisitionFilePath(mode))};
        plans.push_back(plan);
    };
    switch (options.kind) {
        case DataKind::AssistGsm:
        case DataKind::AssistWcdma: {
            Plan plan;
            plan.get = get;
            plan.assist =
                options.kind == DataKind::AssistGsm ? AssistNetwork::Gsm : AssistNetwork::Wcdma;
            plan.files = {FileIn(options, "AS.DAT", AssistFilePath())};
            plans.push_back(plan);
            return plans;
        }
        case DataKind::Almanac:
            get ? acquire(kTransferAlmanac) : void();
            break;
        case DataKind::Ephemeris:
            get ? acquire(kTransferEphemerisAcquire) : void();
            break;
        case DataKind::Both:
            if (get) {
                acquire(kTransferAlmanac);
                acquire(kTransferEphemerisAcquire);
            }
            break;
    }
    if (get) {
        return plans;
    }
    Plan plan;
    plan.get = false;
    plan.transmission = TransmissionFilePaths();
    if (options.file) {
        plan.transmission = {*options.file, *options.file};
    } else if (options.directory) {
        plan.transmission = {FileIn(options, kAlmanacFileName, {}),
                             FileIn(options, kEphemerisFileName, {})};
    }
    if (options.kind == DataKind::Almanac) {
        plan.mode = kTransferAlmanac;
        plan.files = {plan.transmission.almanac};
    } else if (options.kind == DataKind::Ephemeris) {
        plan.mode = kTransferEphemerisTransmit;
        plan.files = {plan.transmission.ephemeris};
    } else {
        plan.mode = kTransferAlmanacEphemerisTransmit;
        plan.files = {plan.transmission.almanac, plan.transmission.ephemeris};
    }
    plans.push_back(plan);
    return plans;
}

// Every file of every transfer, before the port is opened: the reason the first one cannot
// be used, or nothing.
std::optional<std::string> CheckFiles(const std::vector<Plan>& plans) {
    for (const Plan& plan : plans) {
        for (std::size_t i = 0; i < plan.files.size(); ++i) {
            const std::string& file = plan.files[i];
            std::optional<std::string> problem;
            if (plan.get) {
                problem = CheckFileToWrite(file);
            } else if (plan.assist) {
                problem = CheckFileToSend(file, 0, {});
            } else {
                const bool ephemeris = plan.mode == kTransferEphemerisTransmit || i == 1;
                problem = ephemeris ? CheckFileToSend(file, kEphemerisLines, "an ephemeris file")
                                    : CheckFileToSend(file, kAlmanacLines, "an almanac file");
            }
            if (problem) {
                return problem;
            }
        }
    }
    return std::nullopt;
}

// What the program knows of the link and the receiver while a worker runs: set on the link's
// threads, read by the program's.
struct LinkWatch {
    std::atomic<bool> lost{false};
};

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return text;
}

// The end of one transfer step, told on standard error and kept for --json.
bool Conclude(ProgressLine& progress, const DataOptions& options, const TransferResult& result,
              const Plan& plan, const std::string& path, const LinkWatch& link,
              const UploadWatch& watch, DataResult& outcome, const std::string& done,
              std::string kept = {}) {
    progress.EndLine();
    if (kept.empty()) {
        kept =
            plan.get ? "; " + path + " keeps the lines stored so far" : "; nothing more was sent";
    }
    std::string message;
    if (result.code == kTransferOk) {
        if (!done.empty()) {
            progress.Say(done);
            outcome.message = done;
        }
        return true;
    }
    outcome.exitCode = kExitFailed;
    if (const auto rejection = watch.Rejection(); rejection && !plan.get) {
        outcome.result = "rejected";
        outcome.receiver = *rejection;
        message = "the receiver rejected the data: " + *rejection + kept;
    } else if (link.lost) {
        outcome.result = "link-lost";
        message = options.port + " is gone (unplugged or closed) while waiting for " +
                  result.waitingFor + kept;
    } else if (result.code == kTransferCancelled) {
        outcome.result = "cancelled";
        message = "cancelled" + kept;
    } else if (result.code == kTransferNoReply) {
        outcome.result = "no-reply";
        message = "no reply from the receiver within " + Seconds(options.timeout.value_or(0)) +
                  " s while waiting for " + result.waitingFor + kept;
    } else if (plan.assist) {
        outcome.result = "failed";
        message = result.systemError != 0 ? path + ": " + std::strerror(result.systemError)
                                          : "the assistance transfer failed";
    } else {
        outcome.result = "file-error";
        message = plan.get ? AcquisitionFailureText(result.code, result.systemError)
                           : TransmissionFailureText(result.code, result.systemError);
        if (result.systemError != 0) {
            message += " (" + path + ": " + std::strerror(result.systemError) + ")";
        }
    }
    progress.Say(message);
    outcome.message = OneLine(message);
    return false;
}

bool RunPlan(TransferSession& session, ProgressLine& progress, const DataOptions& options,
             const Plan& plan, const LinkWatch& link, UploadWatch& watch, DataResult& outcome) {
    const std::string& path = plan.files.front();
    if (plan.assist) {
        progress.Start(std::string(plan.get ? "Acquire " : "Transmit ") +
                       NetworkName(*plan.assist) + " assistance data");
        session.message = [&progress, &outcome](const std::string& text) {
            progress.Say(text);
            outcome.message = OneLine(text);
        };
        const TransferResult result = plan.get ? RunAssistAcquisition(session, *plan.assist, path)
                                               : RunAssistTransmission(session, *plan.assist, path);
        return Conclude(progress, options, result, plan, path, link, watch, outcome,
                        plan.get ? "assistance data stored in " + path : std::string());
    }
    if (plan.get) {
        const bool ephemeris = plan.mode == kTransferEphemerisAcquire;
        progress.Start(ephemeris ? "Acquiring Ephemeris Data..." : "Acquiring Almanac Data...");
        // The lines go to PATH.part first and replace PATH only when all have come, so that a
        // failed or cancelled acquisition leaves the stored data as it was. Where no new file
        // can be made beside PATH, they go to PATH itself, as in the window.
        const std::string part = path + ".part";
        const std::filesystem::path folder = std::filesystem::path(path).parent_path();
        const bool staged = ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
        TransferResult result = RunAcquisition(session, plan.mode, staged ? part : path);
        std::string kept;
        if (staged && result.code == kTransferOk && std::rename(part.c_str(), path.c_str()) != 0) {
            result = {kTransferFileFailed, errno, {}};
        }
        if (staged && result.code != kTransferOk) {
            std::error_code error;
            kept =
                "; " + path + " is unchanged" +
                (std::filesystem::exists(part, error) ? ", the lines received so far are in " + part
                                                      : std::string());
        }
        return Conclude(
            progress, options, result, plan, staged ? part : path, link, watch, outcome,
            std::to_string(AcquisitionPlanFor(plan.mode).lines) + " lines stored in " + path, kept);
    }
    const bool both = plan.mode == kTransferAlmanacEphemerisTransmit;
    progress.Start(both ? "Transmit Almanac Data..." : "Clearing Receiver Memory...");
    session.text = [&progress](const std::string& text) { progress.SetText(text); };
    TransferResult result = RunTransmission(session, plan.mode, plan.transmission);
    if (result.code == kTransferOk) {
        // The worker does not read the receiver's replies; its last one may still be coming.
        const auto limit = session.waitLimit.value_or(std::chrono::milliseconds(10000));
        const TransferLineQueue& queue = session.queue;
        outcome.confirmed = watch.WaitForCompletion(limit, [&queue] { return queue.Cancelled(); });
        if (watch.Rejection()) {
            result.code = kTransferCancelled;
        } else if (!*outcome.confirmed) {
            progress.Say("the receiver did not confirm the upload (no \"Completed\" reply)");
        }
    }
    if (result.code == kTransferOk && session.queue.Cancelled()) {
        result.code = kTransferCancelled;  // Ctrl-C while waiting for the confirmation
    }
    return Conclude(progress, options, result, plan, path, link, watch, outcome,
                    both ? "Completed" : "Receiver Initialization Completed");
}

int Fail(DataResult& outcome, int exitCode, const std::string& result, const std::string& text) {
    std::fprintf(stderr, "orbex-data: %s\n", OneLine(text).c_str());
    outcome.exitCode = exitCode;
    outcome.result = result;
    outcome.message = OneLine(text);
    return exitCode;
}

int RunTransfer(const DataOptions& options, TransferLineQueue& transferQueue, DataResult& outcome) {
    const std::vector<Plan> plans = PlanTransfers(options);
    for (const Plan& plan : plans) {
        outcome.files.insert(outcome.files.end(), plan.files.begin(), plan.files.end());
    }
    // The files first: a missing or wrong file is found before the receiver hears anything.
    if (const auto problem = CheckFiles(plans)) {
        const bool named = options.file || options.directory;
        return Fail(outcome, named ? kExitBadUse : kExitFailed, "file-error", *problem);
    }
    std::string error;
    const std::string port = PortNamed(options.port, error);
    if (port.empty()) {
        return Fail(outcome, kExitBadUse, "port-error", error);
    }
    LinkWatch linkWatch;
    UploadWatch uploadWatch([&transferQueue] { transferQueue.Cancel(); });
    // The worker runs on this thread and writes to the receiver directly; the session's
    // thread hands each line to the watch and to the transfer line queue the worker reads,
    // as the main window hands each line to an open data-transfer window.
    ReceiverSession link;
    link.ForwardLines([&transferQueue, &uploadWatch](const std::string& line) {
        uploadWatch.See(line);
        transferQueue.Append(line);
    });
    // The link's texts ("Communication Error 5") with the port and the system's reason.
    link.SetErrorReport([&port](const std::string& text, MessageIcon) {
        std::fprintf(stderr, "orbex-data: %s\n", OneLine(text).c_str());
        if (const auto code = CommunicationErrorCode(text)) {
            std::fprintf(stderr, "orbex-data: %s\n", PortFailureLine(port, *code).c_str());
        }
        std::fflush(stderr);
    });
    // An unplugged receiver ends the transfer: the link would wait for it to come back, and a
    // transfer cannot go on where it stopped.
    const OwnerPost owner = [&linkWatch, &transferQueue](unsigned message, std::uintptr_t,
                                                         std::intptr_t) {
        if (message == UWM_LINK_LOST) {
            linkWatch.lost = true;
            transferQueue.Cancel();
        }
    };
    if (!link.Open(owner, options.settings, port)) {
        outcome.exitCode = kExitBadUse;
        outcome.result = "port-error";
        outcome.message = PortFailureLine(port);
        std::fprintf(stderr, "orbex-data: %s\n", outcome.message.c_str());
        return kExitBadUse;
    }
    ProgressLine progress;
    TransferSession session{transferQueue, [&link, &uploadWatch](std::string_view bytes) {
                                uploadWatch.Sent(bytes);
                                link.Write(bytes);
                            }};
    session.progress = [&progress](int percent) { progress.SetPercent(percent); };
    if (options.timeout) {
        session.waitLimit =
            std::chrono::milliseconds(static_cast<long long>(std::ceil(*options.timeout * 1000.0)));
    }
    bool ok = true;
    for (const Plan& plan : plans) {
        ok = RunPlan(session, progress, options, plan, linkWatch, uploadWatch, outcome);
        if (!ok) {
            break;
        }
    }
    link.Close();
    outcome.exitCode = ok ? 0 : kExitFailed;
    return outcome.exitCode;
}

int Run(DataOptions& options) {
    PrintMessagesAsLines("orbex-data");
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe shows up as EPIPE on the write
    TransferLineQueue transferQueue;
    // Blocks Ctrl-C and SIGTERM before any other thread starts (the link's threads inherit
    // the mask), so that they cancel the transfer instead of ending the program.
    CancelOnSignal cancel(transferQueue);
    DataResult outcome;
    outcome.operation = options.direction == DataDirection::Get ? "get" : "put";
    outcome.data = DataKindName(options.kind);
    outcome.port = options.port;
    const int status = RunTransfer(options, transferQueue, outcome);
    if (options.json) {
        const std::string json = DataResultJson(outcome);
        if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() ||
            std::fflush(stdout) != 0) {
            std::fprintf(stderr, "orbex-data: cannot write the result: %s\n", std::strerror(errno));
            return status == 0 ? kExitFailed : status;
        }
    }
    return status;
}

}  // namespace
}  // namespace orbex

int main(int argc, char** argv) {
    return orbex::RunCommandLine("orbex-data", argc, argv, orbex::ParseDataOptions,
                                 orbex::DataUsage, orbex::Run);
}
