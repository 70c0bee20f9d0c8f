// A program run by a test: its standard output is read through a pipe, its standard input is
// given bytes (or /dev/null), and it is stopped and reaped when the test ends.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace orbex::sim::testing {

class ChildProcess {
  public:
    ChildProcess(const std::vector<std::string>& args, const std::string& input = {},
                 const std::string& stdoutPath = {}) {
        int out[2] = {-1, -1};
        int in[2] = {-1, -1};
        if (::pipe(out) != 0 || ::pipe(in) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], STDIN_FILENO);
            if (stdoutPath.empty()) {
                ::dup2(out[1], STDOUT_FILENO);
            } else {
                const int fd = ::open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                ::dup2(fd, STDOUT_FILENO);
            }
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, STDERR_FILENO);
            for (int fd : {out[0], out[1], in[0], in[1]}) {
                ::close(fd);
            }
            std::vector<char*> argv;
            for (const std::string& a : args) {
                argv.push_back(const_cast<char*>(a.c_str()));
            }
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(in[0]);
        out_ = out[0];
        std::size_t written = 0;
        while (written < input.size()) {
            const ssize_t n = ::write(in[1], input.data() + written, input.size() - written);
            if (n <= 0) {
                break;
            }
            written += static_cast<std::size_t>(n);
        }
        ::close(in[1]);
    }
    ~ChildProcess() {
        if (pid_ > 0 && !status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) {
            ::close(out_);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }

    // The next line of standard output (without its LF); nullopt after the time-out.
    std::optional<std::string> ReadLine(int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const std::size_t lf = buffered_.find('\n');
            if (lf != std::string::npos) {
                std::string line = buffered_.substr(0, lf);
                buffered_.erase(0, lf + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !ReadSome(static_cast<int>(left.count()))) {
                return std::nullopt;
            }
        }
    }

    // Everything on standard output until the program closes it.
    std::string ReadAll(int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !ReadSome(static_cast<int>(left.count()))) {
                break;
            }
        }
        std::string all;
        all.swap(buffered_);
        return all;
    }

    void Signal(int signal) { ::kill(pid_, signal); }

    // The exit status, or nullopt when the program is still running after the time-out; -1
    // when it ended through a signal.
    std::optional<int> Wait(int timeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!status_) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                break;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                return std::nullopt;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return status_;
    }

  private:
    bool ReadSome(int timeoutMs) {
        pollfd p{out_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) {
            return false;
        }
        char chunk[65536];
        const ssize_t n = ::read(out_, chunk, sizeof chunk);
        if (n <= 0) {
            return false;
        }
        buffered_.append(chunk, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffered_;
    std::optional<int> status_;
};

}  // namespace orbex::sim::testing
