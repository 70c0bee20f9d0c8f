#include "sim/sim_runner.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "cli/common/stop_signals.h"
#include "sim/fault_injector.h"
#include "sim/pseudo_terminal.h"
#include "sim/receiver_simulator.h"

namespace orbex::sim {
namespace {

volatile std::sig_atomic_t gStopRequested = 0;  // set by SIGINT/SIGTERM, read by the loop

void OnStopSignal(int) {
    gStopRequested = 1;
}

// Where the stream goes and where commands come from.
class Transport {
  public:
    virtual ~Transport() = default;
    virtual bool Write(std::string_view bytes) = 0;
    virtual int inputFd() const = 0;  // -1: no more input
    virtual std::string Read() = 0;
    // The errno of a write that failed for another reason than a reader that went away
    // (a full disk under --stdout), 0 otherwise.
    virtual int writeError() const { return 0; }
};

class StdoutTransport final : public Transport {
  public:
    bool Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                // A closed pipe ends the stream quietly; any other failure is the run's.
                writeError_ = n < 0 && errno != EPIPE ? errno : 0;
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    int writeError() const override { return writeError_; }
    int inputFd() const override { return inputOpen_ ? STDIN_FILENO : -1; }
    std::string Read() override {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            if (n == 0 || errno != EINTR) {
                inputOpen_ = false;  // end of standard input: keep sending, stop reading
            }
            return {};
        }
        return std::string(buffer, static_cast<std::size_t>(n));
    }

  private:
    bool inputOpen_ = true;
    int writeError_ = 0;
};

class PtyTransport final : public Transport {
  public:
    explicit PtyTransport(PseudoTerminal pty) : pty_(std::move(pty)) {}
    bool Write(std::string_view bytes) override { return pty_.Write(bytes); }
    int inputFd() const override { return pty_.master(); }
    std::string Read() override { return pty_.ReadAvailable(); }
    void Close() { pty_.Close(); }

  private:
    PseudoTerminal pty_;
};

// The symbolic link to the slave, removed again at exit if it still points there.
class SlaveLink {
  public:
    ~SlaveLink() {
        if (path_.empty()) {
            return;
        }
        char target[512];
        const ssize_t n = ::readlink(path_.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == slave_) {
            ::unlink(path_.c_str());
        }
    }
    bool Make(const std::string& path, const std::string& slave, std::string& error) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                error = path + " exists and is not a symbolic link; not replacing it";
                return false;
            }
            ::unlink(path.c_str());
        }
        if (::symlink(slave.c_str(), path.c_str()) != 0) {
            error = "cannot link " + path + " to " + slave + ": " + std::strerror(errno);
            return false;
        }
        path_ = path;
        slave_ = slave;
        return true;
    }

  private:
    std::string path_;
    std::string slave_;
};

// With --fast, standard input is a script read whole at the start and fed one line per epoch,
// so a recording with commands in it comes out the same every time.
std::vector<std::string> ReadScript(int fd) {
    std::string all;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        all.append(buffer, static_cast<std::size_t>(n));
    }
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool crAlone = all[i] == '\r' && (i + 1 >= all.size() || all[i + 1] != '\n');
        if (all[i] == '\n' || crAlone) {
            lines.push_back(all.substr(begin, i + 1 - begin));
            begin = i + 1;
        }
    }
    if (begin < all.size()) {
        lines.push_back(all.substr(begin));
    }
    return lines;
}

// The exit status of a run that ended: a stream or truth file that could not be written all
// through is told, and the run fails.
int WriteFailures(const Transport& transport, std::ofstream* truthFile,
                  const std::string& truthPath, std::ostream& errors) {
    int status = 0;
    if (transport.writeError() != 0) {
        errors << "vm8140-sim: cannot write the stream to standard output: "
               << std::strerror(transport.writeError()) << "\n";
        status = kExitWriteError;
    }
    if (truthFile != nullptr) {
        truthFile->flush();
        const int error = errno;
        if (!*truthFile) {
            errors << "vm8140-sim: cannot write the truth file " << truthPath << ": "
                   << std::strerror(error != 0 ? error : EIO) << "\n";
            status = kExitWriteError;
        }
    }
    return status;
}

}  // namespace

SimMillis DefaultFastStart() {
    return FromCivil(2026, 6, 1, 12, 0, 0);
}

int RunSimulator(const SimOptions& options, std::ostream& errors) {
    InstallStopSignals(OnStopSignal);
    gStopRequested = 0;

    std::unique_ptr<std::ofstream> truthFile;
    if (!options.truthPath.empty()) {
        truthFile = std::make_unique<std::ofstream>(options.truthPath, std::ios::trunc);
        if (!*truthFile) {
            errors << "vm8140-sim: cannot write the truth file " << options.truthPath << ": "
                   << std::strerror(errno) << "\n";
            return kExitSetupError;
        }
    }

    std::unique_ptr<Transport> transport;
    SlaveLink link;
    PtyTransport* pty = nullptr;
    if (options.toStdout) {
        transport = std::make_unique<StdoutTransport>();
    } else {
        PseudoTerminal terminal;
        std::string error;
        if (!terminal.Open(options.handheld ? 4800 : 9600, error)) {
            errors << "vm8140-sim: " << error << "\n";
            return kExitSetupError;
        }
        const std::string slave = terminal.slavePath();
        if (!options.linkPath.empty() && !link.Make(options.linkPath, slave, error)) {
            errors << "vm8140-sim: " << error << "\n";
            return kExitSetupError;
        }
        std::printf("%s\n", slave.c_str());
        std::fflush(stdout);
        auto owned = std::make_unique<PtyTransport>(std::move(terminal));
        pty = owned.get();
        transport = std::move(owned);
    }

    // Simulated time: the wall clock (first epoch on the next whole second), a given start
    // that then runs in real time, or, with --fast, a cursor that moves one period per epoch.
    const auto steadyStart = std::chrono::steady_clock::now();
    SimMillis start = options.start.value_or(options.fast ? DefaultFastStart() : WallClockNow());
    ReceiverSimulator sim(options, start, truthFile.get());
    const SimMillis period = sim.period();
    SimMillis nextEpoch = options.start || options.fast ? start : (start / 1000 + 1) * 1000;
    const SimMillis clockBase = start;
    auto now = [&]() -> SimMillis {
        if (options.fast) {
            return nextEpoch;
        }
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - steadyStart);
        return clockBase + elapsed.count();
    };
    const SimMillis endAt =
        options.duration > 0 ? start + static_cast<SimMillis>(options.duration * 1000.0) : -1;
    const SimMillis hangupAt =
        options.faults.hangupAfter > 0
            ? start + static_cast<SimMillis>(options.faults.hangupAfter * 1000.0)
            : -1;

    BurstBuffer burst(options.faults.burstBytes);
    auto send = [&](const std::string& bytes) {
        if (bytes.empty()) {
            return true;
        }
        for (const std::string& chunk : burst.Add(bytes)) {
            if (!transport->Write(chunk)) {
                return false;
            }
        }
        return true;
    };

    std::vector<std::string> script;
    std::size_t scriptNext = 0;
    const bool scripted = options.fast && options.toStdout && ::isatty(STDIN_FILENO) == 0;
    if (scripted) {
        script = ReadScript(STDIN_FILENO);
    }

    while (gStopRequested == 0) {
        SimMillis t = now();
        if (hangupAt >= 0 && t >= hangupAt) {
            if (pty != nullptr) {
                pty->Close();
            } else {
                ::close(STDOUT_FILENO);
            }
            errors << "vm8140-sim: hanging up the port (--hangup-after)\n";
            return kExitHangup;
        }
        if (endAt >= 0 && nextEpoch >= endAt && t >= endAt) {
            break;
        }
        if (truthFile && !*truthFile) {
            break;  // the truth file cannot take more (a full disk): told below
        }
        if (t >= nextEpoch && (endAt < 0 || nextEpoch < endAt)) {
            if (!send(sim.Epoch(nextEpoch))) {
                break;  // standard output closed: nothing more to do
            }
            if (scripted && scriptNext < script.size() &&
                !send(sim.Receive(script[scriptNext++], nextEpoch))) {
                break;
            }
            nextEpoch += period;
            const SimMillis behind = now() - nextEpoch;
            if (behind > period) {
                // Fell behind (a stalled port): skip the missed epochs rather than burst them.
                nextEpoch += behind / period * period;
            }
        }
        int timeout = 0;
        if (!options.fast) {
            t = now();
            timeout = static_cast<int>(std::clamp<SimMillis>(nextEpoch - t, 0, 200));
        }
        if (transport->inputFd() >= 0 && !scripted) {
            pollfd p{transport->inputFd(), POLLIN, 0};
            // Wait for a command, but no longer than until the next epoch is due.
            const int ready = ::poll(&p, 1, timeout);
            if (ready > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                const std::string input = transport->Read();
                if (!input.empty() && !send(sim.Receive(input, now()))) {
                    break;
                }
                if (input.empty() && pty != nullptr && (p.revents & POLLHUP) != 0) {
                    // A hang-up that poll keeps reporting must not turn the loop into a spin.
                    std::this_thread::sleep_for(std::chrono::milliseconds(timeout > 0 ? 50 : 0));
                }
            }
        } else if (timeout > 0) {
            // No input to wait on (standard input ended): sleep until the next epoch.
            std::this_thread::sleep_for(std::chrono::milliseconds(timeout));
        }
    }
    const std::string rest = burst.Flush();
    if (!rest.empty()) {
        transport->Write(rest);
    }
    return WriteFailures(*transport, truthFile.get(), options.truthPath, errors);
}

}  // namespace orbex::sim
