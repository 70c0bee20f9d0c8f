// orbex-dump: opens a receiver link exactly as Orbex does (a serial port, or a replayed
// recording) and prints every line it queues; or reads a recording directly for batch work.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/common/command_line.h"
#include "cli/common/message_lines.h"
#include "cli/common/port_failure.h"
#include "cli/common/recording_fixes.h"
#include "cli/common/recording_lines.h"
#include "cli/common/stop_signals.h"
#include "cli/orbex_dump/dump_options.h"
#include "cli/orbex_dump/fix_export.h"
#include "cli/orbex_dump/line_output.h"
#include "link/port_list.h"
#include "link/receiver_session.h"
#include "platform/event.h"
#include "platform/message_box.h"
#include "platform/unique_fd.h"
#include "platform/window_messages.h"

namespace orbex {
namespace {

volatile sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

int Fail(const std::string& reason) {
    return EndWith("orbex-dump", kExitBadUse, reason);
}

class Deadline {
  public:
    explicit Deadline(std::optional<double> seconds) {
        if (seconds) {
            end_ = std::chrono::steady_clock::now() +
                   std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                       std::chrono::duration<double>(*seconds));
        }
    }
    bool Passed() const { return end_ && std::chrono::steady_clock::now() >= *end_; }

  private:
    std::optional<std::chrono::steady_clock::time_point> end_;
};

int RunLink(const DumpOptions& options) {
    const bool replay = options.source == DumpSource::Replay;
    std::string port;
    if (options.source == DumpSource::Port) {
        std::string error;
        port = PortNamed(options.port, error);
        if (port.empty()) {
            return Fail(error);
        }
    }
    std::atomic<int> lostCode{0};
    // The owner's side of the link: its posts wake the loop below.
    Event linesQueued(Event::Reset::Auto);
    Event replayEnded(Event::Reset::Manual);
    // A port that goes away is waited for: the link reopens it when it returns, and the
    // output goes on in the same stream.
    const OwnerPost owner = [&](unsigned message, std::uintptr_t, std::intptr_t) {
        if (message == UWM_LINE_QUEUED) {
            linesQueued.Set();
        } else if (message == UWM_REPLAY_END) {
            replayEnded.Set();
        } else if (message == UWM_LINK_LOST) {
            const int code = lostCode.exchange(0);
            const std::string reason =
                code != 0 ? " (" + std::string(std::strerror(code)) + ")" : "";
            std::fprintf(stderr, "orbex-dump: %s is gone%s; waiting for it to come back\n",
                         options.port.c_str(), reason.c_str());
        } else if (message == UWM_LINK_RESTORED) {
            std::fprintf(stderr, "orbex-dump: %s is open again\n", options.port.c_str());
        }
    };
    ReceiverSession session;
    session.SetReplayPace(options.pace);
    // The link's texts as one line each; the code of a lost stream's "Communication Error N"
    // is kept for the line that says the port is gone (both come from the link's thread).
    session.SetErrorReport([&lostCode](const std::string& text, MessageIcon icon) {
        PrintMessageLine("orbex-dump", {text, {}, icon, MessageButtons::Ok, {}});
        lostCode = CommunicationErrorCode(text).value_or(0);
    });
    if (!session.Open(owner, options.settings, port, replay ? options.path : std::string())) {
        // The link has given its message; the path and the system's reason follow it.
        std::fprintf(stderr, "orbex-dump: %s\n",
                     PortFailureLine(replay ? options.path : port).c_str());
        return kExitBadUse;
    }
    for (const std::string& command : options.commands) {
        session.WriteLine(command.c_str());
    }
    LineOutput output(options.decode);
    const Deadline deadline(options.seconds);
    long printed = 0;
    bool done = false;
    while (!done) {
        // Waits for a notice, but looks at the stop conditions at least every 50 ms.
        const int woke = Event::WaitAny(linesQueued, replayEnded, std::chrono::milliseconds(50));
        std::string line;
        while (!done && session.Pop(line)) {
            output.Print(line);
            done = (options.count && ++printed >= *options.count) || output.Failed();
        }
        output.Flush();
        // The replay thread queues its last line before it posts the end, so the drain above
        // has taken everything.
        done = done || woke == 1 || replayEnded.IsSet() || stopRequested || deadline.Passed() ||
               output.Failed();
    }
    session.Close();
    return output.Failed() && !output.ReaderGone() ? kExitFailed : 0;
}

bool StopRequested() {
    return stopRequested != 0;
}

int RunExport(const DumpOptions& options) {
    RecordingFixes recording;
    std::string error;
    const bool read = ReadRecordingFixes(options.path, recording, error, StopRequested);
    if (!recording.opened) {
        return Fail(error);
    }
    // What was read before a failure or a Ctrl-C is written as a whole document; the run
    // still fails.
    const std::string title = std::filesystem::path(options.path).filename().string();
    const std::string document = ExportFixes(*options.exportFormat, recording.fixes, title);
    const bool written =
        std::fwrite(document.data(), 1, document.size(), stdout) == document.size() &&
        std::fflush(stdout) == 0;
    if (!written) {
        if (errno == EPIPE) {
            return 0;  // the reader has all it wanted
        }
        std::fprintf(stderr, "orbex-dump: cannot write the export: %s\n", std::strerror(errno));
        return kExitFailed;
    }
    if (!read) {
        std::fprintf(stderr, "orbex-dump: %s%s\n", error.c_str(),
                     recording.stopped ? "; the export holds the fixes read so far" : "");
        return kExitFailed;
    }
    if (recording.fixes.empty()) {
        std::fprintf(stderr, "orbex-dump: no fixes in %s (%zu lines, %zu decoded)\n",
                     options.path.c_str(), recording.lines, recording.decoded);
    }
    return 0;
}

int RunFile(const DumpOptions& options) {
    if (options.exportFormat) {
        return RunExport(options);
    }
    UniqueFd file(::open(options.path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        return Fail("cannot open " + options.path + ": " + std::strerror(errno));
    }
    LineOutput output(options.decode);
    RecordingLineReader reader(file.Get());
    const Deadline deadline(options.seconds);
    reader.StopWhen([&] { return StopRequested() || deadline.Passed(); });
    std::string_view line;
    long printed = 0;
    RecordingLineReader::Result result;
    while ((result = reader.Next(line)) == RecordingLineReader::Result::Line) {
        output.Print(line);
        if ((options.count && ++printed >= *options.count) || output.Failed() || stopRequested ||
            ((printed & 1023) == 0 && deadline.Passed())) {
            break;
        }
    }
    output.Flush();
    if (stopRequested) {
        // Cut short: what was printed stays, the run did not read the whole file.
        std::fprintf(stderr, "orbex-dump: stopped reading %s\n", options.path.c_str());
        return kExitFailed;
    }
    if (result == RecordingLineReader::Result::Failed) {
        std::fprintf(stderr, "orbex-dump: cannot read %s: %s\n", options.path.c_str(),
                     std::strerror(errno));
        return kExitFailed;
    }
    return output.Failed() && !output.ReaderGone() ? kExitFailed : 0;
}

int Run(DumpOptions& options) {
    InstallStopSignals(RequestStop);
    PrintMessagesAsLines("orbex-dump");
    return options.source == DumpSource::File ? RunFile(options) : RunLink(options);
}

}  // namespace
}  // namespace orbex

int main(int argc, char** argv) {
    return orbex::RunCommandLine("orbex-dump", argc, argv, orbex::ParseDumpOptions,
                                 orbex::DumpUsage, orbex::Run);
}
