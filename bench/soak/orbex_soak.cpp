// orbex-soak: a long run of received lines through everything Orbex does with them: a serial
// link on a pseudo-terminal, framing, the line queue, the main window's dispatch and decoding,
// and the five monitor windows painting offscreen. A figure, not a test.
//
//   orbex-soak RECORDING [LINES]     (LINES default 1000000)
//   orbex-soak --latency RECORDING [LINES]
//
// The recording (e.g. `vm8140-sim --stdout --fast --duration 3600 --format mixed --extra`) is
// sent over and over, as fast as Orbex takes it: the sender keeps at most a few thousand lines
// ahead of the windows. Printed: lines per second, lines counted at the sender, at the link's
// reader and at the main window's dispatch, and the resident memory after warm-up and at each
// tenth of the run.
//
// With --latency it sends the recording's lines one at a time, 50 ms apart, and measures for
// each of the five monitor windows, from the moment a line's last byte is written to the port,
// until the window has finished its first paint after the line was dispatched: median, 99th
// percentile and maximum. A window that does not change with a line (the position plot with
// anything but a time or a native record) paints nothing for it; such lines are not counted
// for that window, so a paint is the answer to the newest line dispatched before it.
// Run it under Xvfb (QT_QPA_PLATFORM=xcb) to include the X server's side.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/orbex_window.h"
#include "gui/fixed_formats.h"
#include "gui/orbex_commands.h"
#include "gui/window_table.h"
#include "link/line_hook.h"
#include "tests/support/placeholder_window.h"
#include "tools/registry/tool_window_rows.h"
#include "windows/registry/monitor_window_rows.h"

namespace {

constexpr long kInFlight = 4000;  // lines the sender may be ahead of the windows

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

std::vector<std::string> ReadLines(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            lines.push_back(line + '\n');
        }
    }
    return lines;
}

// Times the end of each paint of one window or any widget inside it (a list view paints its
// viewport on its own) and gives the newest line dispatched since the previous paint its
// latency. With lines 50 ms apart, each line is a batch of its own; the older lines since the
// previous paint are lines the window did not change with.
class PaintClock : public QObject {
  public:
    PaintClock(QWidget* window, const QPointer<orbex::CPlaceholderWnd>& counter,
               const std::vector<std::atomic<std::int64_t>>& sentAt)
        : counter_(counter), sentAt_(sentAt) {
        window->installEventFilter(this);
        for (QWidget* child : window->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    std::vector<double>& latencies() { return latencies_; }

    static std::int64_t Nanoseconds() {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || counter_.isNull()) {
            return false;
        }
        // The paint itself first, so that the time includes it.
        watched->removeEventFilter(this);
        QApplication::sendEvent(watched, event);
        watched->installEventFilter(this);
        const std::int64_t now = Nanoseconds();
        const long shown = std::min<long>(counter_->lineCount(), static_cast<long>(sentAt_.size()));
        if (shown > painted_) {
            latencies_.push_back(static_cast<double>(now - sentAt_[shown - 1].load()) / 1e6);
            painted_ = shown;
        }
        return true;
    }

  private:
    QPointer<orbex::CPlaceholderWnd> counter_;
    const std::vector<std::atomic<std::int64_t>>& sentAt_;
    std::vector<double> latencies_;
    long painted_ = 0;
};

void PrintLatency(const char* name, std::vector<double> ms) {
    if (ms.empty()) {
        std::printf("%s: no paint seen\n", name);
        return;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&ms](double share) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(share * ms.size()))];
    };
    std::printf(
        "last byte to the paint of %s: %zu lines, median %.2f ms, 99th percentile %.2f ms, max "
        "%.2f ms\n",
        name, ms.size(), at(0.5), at(0.99), ms.back());
}

}  // namespace

int main(int argc, char** argv) {
    const bool latency = argc > 1 && std::string(argv[1]) == "--latency";
    if (latency) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: orbex-soak [--latency] RECORDING [LINES]\n");
        return 2;
    }
    const std::vector<std::string> recording = ReadLines(argv[1]);
    const long total = argc > 2 ? std::atol(argv[2]) : (latency ? 400 : 1000000);
    if (recording.empty() || total <= 0) {
        std::fprintf(stderr, "orbex-soak: no CR LF lines in %s\n", argv[1]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char folder[] = "/tmp/orbex-soak-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    setenv("ORBEX_HOME", folder, 1);
    setenv("ORBEX_REGISTRY", (std::string(folder) + "/ORBEX.reg").c_str(), 1);

    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        return 1;
    }
    setenv("ORBEX_SERIAL_PORTS", ptsname(master), 1);

    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    orbex::KeepFixedFormats();
    // The five monitor windows as they are; the TTFF window, a raw-line window fed every line, is
    // a plain one that counts what is dispatched.
    const orbex::WindowTable program({orbex::MonitorWindowRows(), orbex::ToolWindowRows()});
    const int ttffKind = program.RowOfCommand(orbex::kCmdTtff)->kind;
    orbex::InstallWindowTable(
        program.WithMaker([](const orbex::WindowRow& row, const QString& title,
                             orbex::LineDecoder& decoder) -> QWidget* {
            if (row.command == orbex::kCmdTtff) {
                return new orbex::CPlaceholderWnd(row.kind, title);
            }
            return row.make(title, row.transferMode, decoder);
        }));
    orbex::COrbexWnd window;
    if (!window.Create()) {
        return 1;
    }
    for (int command :
         {orbex::kCmdGeneralInformation, orbex::kCmdSatelliteConstellation, orbex::kCmdPositionPlot,
          orbex::kCmdConsole, orbex::kCmdVelocity, orbex::kCmdTtff}) {
        window.OnCommand(command);
    }
    QPointer<orbex::CPlaceholderWnd> counter =
        dynamic_cast<orbex::CPlaceholderWnd*>(window.slotWindow(ttffKind));
    if (counter == nullptr) {
        std::fprintf(stderr, "orbex-soak: the TTFF window is not a plain counting window\n");
        return 1;
    }
    // It only counts: a window of the soak's own, not one of the five measured, so it does not
    // paint (its repaints would fall in the same turn as theirs and count against them).
    counter->setUpdatesEnabled(false);
    std::atomic<long> framed{0};
    window.OnCommand(orbex::kCmdConnect);
    orbex::ConsoleLogHook().Install([&framed](const char*, std::size_t) { ++framed; });
    if (!window.connected()) {
        return 1;
    }

    std::atomic<long> dispatched{0};
    std::atomic<bool> stop{false};
    long sent = 0;
    std::vector<std::atomic<std::int64_t>> sentAt(latency ? static_cast<std::size_t>(total) : 0);
    struct Clocked {
        const char* name;
        std::unique_ptr<PaintClock> clock;
    };
    std::vector<Clocked> clocks;
    for (const auto& [command, name] :
         {std::pair{orbex::kCmdGeneralInformation, "General Information"},
          {orbex::kCmdSatelliteConstellation, "Satellite Constellation"},
          {orbex::kCmdPositionPlot, "Position Plot"},
          {orbex::kCmdConsole, "Console"},
          {orbex::kCmdVelocity, "Velocity"}}) {
        clocks.push_back(
            {name, std::make_unique<PaintClock>(
                       window.slotWindow(program.RowOfCommand(command)->kind), counter, sentAt)});
    }
    std::thread sender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the reader starts
        if (latency) {
            for (; sent < total && !stop; ++sent) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                const std::string& line =
                    recording[static_cast<std::size_t>(sent) % recording.size()];
                // Everything but the last byte first, so that the clock starts at the byte
                // that completes the line.
                if (write(master, line.data(), line.size() - 1) <= 0) {
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                sentAt[static_cast<std::size_t>(sent)] = PaintClock::Nanoseconds();
                if (write(master, line.data() + line.size() - 1, 1) != 1) {
                    return;
                }
            }
            return;
        }
        std::size_t next = 0;
        std::string chunk;
        while (sent < total && !stop) {
            if (sent - dispatched.load() >= kInFlight) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                continue;
            }
            // Whole lines, about 4 kB at a time, as a port delivers a burst.
            chunk.clear();
            while (chunk.size() < 4096 && sent < total && sent - dispatched.load() < kInFlight) {
                chunk += recording[next];
                next = (next + 1) % recording.size();
                ++sent;
            }
            for (std::size_t done = 0; done < chunk.size();) {
                const ssize_t n = write(master, chunk.data() + done, chunk.size() - done);
                if (n <= 0) {
                    return;
                }
                done += static_cast<std::size_t>(n);
            }
        }
    });

    const auto start = std::chrono::steady_clock::now();
    std::vector<long> resident;  // at every tenth of the run
    long warmResident = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (counter.isNull()) {
            stop = true;
            QApplication::quit();
            return;
        }
        dispatched = counter->lineCount();
        const long done = dispatched.load();
        if (warmResident == 0 && done >= total / 10) {
            warmResident = ResidentKilobytes();
        }
        if (done >= static_cast<long>(resident.size() + 1) * (total / 10)) {
            resident.push_back(ResidentKilobytes());
        }
        const bool stalled = std::chrono::steady_clock::now() - start > std::chrono::hours(1);
        if (done >= total || stalled) {
            stop = stalled;
            QApplication::quit();
        }
    });
    watch.start(5);
    QApplication::exec();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    sender.join();
    orbex::ConsoleLogHook().Remove();

    long highest = warmResident;
    long lowest = warmResident;
    std::ostringstream tenths;
    for (long kb : resident) {
        tenths << ' ' << kb;
        highest = std::max(highest, kb);
        lowest = std::min(lowest, kb);
    }
    if (latency) {
        for (Clocked& clocked : clocks) {
            PrintLatency(clocked.name, clocked.clock->latencies());
        }
    }
    const long arrived = dispatched.load();
    std::printf("lines: sent %ld, framed by the link %ld, dispatched to the windows %ld%s\n", sent,
                framed.load(), arrived,
                sent == framed.load() && sent == arrived ? " (none lost)" : " (LOST)");
    std::printf("time: %.2f s, %.0f lines/s\n", seconds, static_cast<double>(sent) / seconds);
    std::printf("resident memory (kB) after warm-up %ld, at each tenth:%s; spread %.1f %%\n",
                warmResident, tenths.str().c_str(),
                warmResident ? 100.0 * static_cast<double>(highest - lowest) / warmResident : 0.0);
    window.OnCommand(orbex::kCmdDisconnect);
    close(master);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return sent == arrived ? 0 : 1;
}
