// orbex-data: the headless data transfer. Acquires almanac, ephemeris or assistance data from a
// receiver into its file, or transmits a stored file into the receiver, with the very workers
// the windows of Orbex's Tools menu run, over a receiver link opened as Orbex opens it.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "cli/orbex_data/data_options.h"
#include "link/port_list.h"
#include "link/receiver_session.h"
#include "platform/message_box.h"
#include "tools/assist/assist_workers.h"
#include "tools/common/transfer_line_queue.h"
#include "tools/transfer/acquisition_worker.h"
#include "tools/transfer/data_file_paths.h"
#include "tools/transfer/transfer_messages.h"
#include "tools/transfer/transmission_worker.h"

namespace orbex {
namespace {

constexpr int kExitFailed = 1;
constexpr int kExitBadUse = 2;

std::string OneLine(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    for (char& c : text) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return text;
}

// The progress line on standard error: rewritten in place on a terminal, otherwise a new line
// for each new text and every tenth percent, so that a log stays short.
class ProgressLine {
  public:
    ProgressLine() : terminal_(::isatty(STDERR_FILENO) == 1) {}

    void SetText(const std::string& text) {
        text_ = text;
        Show();
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

MessageResult PrintMessage(const MessageRequest& request) {
    std::fprintf(stderr, "orbex-data: %s\n", OneLine(request.text).c_str());
    std::fflush(stderr);
    return MessageResult::Ok;
}

// Ctrl-C and SIGTERM cancel the transfer as the progress dialog's "Cancel" does: a thread
// waits for them (blocked everywhere else) and signals the cancel event.
class CancelOnSignal {
  public:
    explicit CancelOnSignal(TransferLineQueue& queue) {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, SIGTERM);
        sigaddset(&signals_, SIGUSR1);  // ends the waiting thread
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

struct Outcome {
    TransferResult result;
    std::string path;  // the file written or read
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

// Reports a finished step; true when it succeeded.
bool Report(ProgressLine& progress, const DataOptions& options, const Outcome& outcome,
            bool acquisition, const std::string& done) {
    progress.EndLine();
    const TransferResult& result = outcome.result;
    const std::string kept = acquisition ? "; " + outcome.path + " keeps the lines stored so far"
                                         : "; nothing more was sent";
    switch (result.code) {
        case kTransferOk:
            progress.Say(done);
            return true;
        case kTransferCancelled:
            progress.Say("cancelled" + kept);
            return false;
        case kTransferNoReply: {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%g", options.timeout.value_or(0));
            progress.Say("no reply from the receiver within " + std::string(seconds) +
                         " s while waiting for " + result.waitingFor + kept);
            return false;
        }
        default:
            break;
    }
    std::string text = acquisition ? AcquisitionFailureText(result.code, result.systemError)
                                   : TransmissionFailureText(result.code, result.systemError);
    if (result.systemError != 0) {
        text += " (" + outcome.path + ": " + std::strerror(result.systemError) + ")";
    }
    progress.Say(text);
    return false;
}

bool Acquire(TransferSession& session, ProgressLine& progress, const DataOptions& options,
             std::uint8_t mode) {
    const bool ephemeris = mode == kTransferEphemerisAcquire;
    const std::string name = ephemeris ? kEphemerisFileName : kAlmanacFileName;
    const std::string path = FileIn(options, name, AcquisitionFilePath(mode));
    progress.SetText(ephemeris ? "Acquiring Ephemeris Data..." : "Acquiring Almanac Data...");
    const Outcome outcome{RunAcquisition(session, mode, path), path};
    const int lines = AcquisitionPlanFor(mode).lines;
    return Report(progress, options, outcome, true,
                  std::to_string(lines) + " lines stored in " + path);
}

bool Transmit(TransferSession& session, ProgressLine& progress, const DataOptions& options,
              std::uint8_t mode) {
    TransmissionFiles files = TransmissionFilePaths();
    if (options.file) {
        files = {*options.file, *options.file};
    } else if (options.directory) {
        files = {FileIn(options, kAlmanacFileName, {}), FileIn(options, kEphemerisFileName, {})};
    }
    progress.SetText(mode == kTransferAlmanacEphemerisTransmit ? "Transmit Almanac Data..."
                                                               : "Clearing Receiver Memory...");
    session.text = [&progress](const std::string& text) { progress.SetText(text); };
    const Outcome outcome{RunTransmission(session, mode, files),
                          mode == kTransferEphemerisTransmit ? files.ephemeris : files.almanac};
    return Report(progress, options, outcome, false,
                  mode == kTransferAlmanacEphemerisTransmit ? "Completed"
                                                            : "Receiver Initialization Completed");
}

bool Assist(TransferSession& session, ProgressLine& progress, const DataOptions& options,
            AssistNetwork network, bool acquire) {
    const std::string path = FileIn(options, "AS.DAT", AssistFilePath());
    progress.SetText(std::string(acquire ? "Acquire " : "Transmit ") + NetworkName(network) +
                     " assistance data");
    session.message = [&progress](const std::string& text) { progress.Say(text); };
    const TransferResult result = acquire ? RunAssistAcquisition(session, network, path)
                                          : RunAssistTransmission(session, network, path);
    progress.EndLine();
    if (result.code == kTransferOk) {
        progress.Say(acquire ? "assistance data stored in " + path : "assistance data sent");
        return true;
    }
    if (result.code == kTransferCancelled || result.code == kTransferNoReply) {
        return Report(progress, options, {result, path}, acquire, {});
    }
    if (result.systemError != 0) {
        progress.Say(path + ": " + std::strerror(result.systemError));
    }
    return false;  // the worker's message is out already
}

int RunTransfer(const DataOptions& options) {
    std::string error;
    const std::string port = PortNamed(options.port, error);
    if (port.empty()) {
        std::fprintf(stderr, "orbex-data: %s\n", error.c_str());
        return kExitBadUse;
    }
    // The worker runs on this thread and writes to the receiver directly; the session's
    // thread hands each line to the transfer line queue the worker reads, as the main window
    // hands each line to an open data-transfer window.
    TransferLineQueue transferQueue;
    ReceiverSession link;
    link.ForwardLines([&transferQueue](const std::string& line) { transferQueue.Append(line); });
    CancelOnSignal cancel(transferQueue);
    if (!link.Open(nullptr, options.settings, port)) {
        return kExitBadUse;  // the link has said why
    }
    ProgressLine progress;
    TransferSession session{transferQueue, [&link](std::string_view bytes) { link.Write(bytes); }};
    session.progress = [&progress](int percent) { progress.SetPercent(percent); };
    if (options.timeout) {
        session.waitLimit =
            std::chrono::milliseconds(static_cast<long long>(std::ceil(*options.timeout * 1000.0)));
    }
    const bool get = options.direction == DataDirection::Get;
    bool ok = false;
    switch (options.kind) {
        case DataKind::Almanac:
            ok = get ? Acquire(session, progress, options, kTransferAlmanac)
                     : Transmit(session, progress, options, kTransferAlmanac);
            break;
        case DataKind::Ephemeris:
            ok = get ? Acquire(session, progress, options, kTransferEphemerisAcquire)
                     : Transmit(session, progress, options, kTransferEphemerisTransmit);
            break;
        case DataKind::Both:
            ok = get ? Acquire(session, progress, options, kTransferAlmanac) &&
                           Acquire(session, progress, options, kTransferEphemerisAcquire)
                     : Transmit(session, progress, options, kTransferAlmanacEphemerisTransmit);
            break;
        case DataKind::AssistGsm:
        case DataKind::AssistWcdma: {
            const AssistNetwork network =
                options.kind == DataKind::AssistGsm ? AssistNetwork::Gsm : AssistNetwork::Wcdma;
            ok = Assist(session, progress, options, network, get);
            break;
        }
    }
    link.Close();
    return ok ? 0 : kExitFailed;
}

int Run(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    DataOptions options;
    std::string error;
    if (!ParseDataOptions(arguments, options, error)) {
        std::fprintf(stderr, "orbex-data: %s (see --help)\n", error.c_str());
        return kExitBadUse;
    }
    if (options.help) {
        std::fputs(DataUsage().c_str(), stdout);
        return 0;
    }
    SetMessageBoxFunction(PrintMessage);
    return RunTransfer(options);
}

}  // namespace
}  // namespace orbex

int main(int argc, char** argv) {
    return orbex::Run(argc, argv);
}
