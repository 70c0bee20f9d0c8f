// One receiver's series in orbex-ttff: its receiver session, the series control the TTFF window
// runs, and what the series shows, printed as text lines or JSON objects.
#pragma once

#include <atomic>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "cli/orbex_ttff/ttff_options.h"
#include "link/receiver_session.h"
#include "tools/ttff/ttff_series_control.h"

namespace orbex {

// Standard output shared by the receivers' workers: one line at a time.
class SharedOutput {
  public:
    void Line(const std::string& text);

  private:
    std::mutex mutex_;  // keeps the lines of concurrent workers whole
};

class PortSeries : public TtffHost {
  public:
    PortSeries(std::string port, const TtffOptions& options, bool prefixLines, SharedOutput& output,
               int seed);
    ~PortSeries() override;

    // Opens the link to the port; false when it cannot (it has said why).
    bool Open(const OwnerPost& owner);
    void Start();
    // Main thread: writes the worker's waiting sends and hands the queued lines to the running
    // cycle.
    void Drain();
    // Main thread, once a second.
    void Tick() { control_.Tick(); }
    // Main thread: ends a series that cannot go on (the receiver took no reset).
    void EndStalled();
    // Main thread: STOP and cancel the running cycle without a record (Ctrl-C).
    void Interrupt();
    bool Finished() const { return control_.Finished(); }
    void Close() { session_.Close(); }
    // Main thread, at the end: the worker's sends are no longer written.
    void CloseSends() { session_.CloseSends(); }

    const std::string& port() const { return port_; }
    // Worker results so far; read after the worker has been joined.
    std::vector<double> ttffs() const;
    int failures() const;

    // TtffHost
    void AddResultLine(const std::string& text) override;
    void ShowCountAndAverage(double count, int average) override;
    void SendToReceiver(std::string_view bytes) override;
    void OnCycleEnded(const CycleReport& report) override;

  private:
    std::string port_;
    const TtffOptions& options_;
    bool prefixLines_;
    SharedOutput& output_;
    ReceiverSession session_;
    mutable std::mutex resultsMutex_;  // the worker adds results, the main thread reads them
    std::vector<double> ttffs_;
    int failures_ = 0;
    std::atomic<bool> stalled_{false};
    std::atomic<double> shownCount_{0};
    std::atomic<int> shownAverage_{0};
    std::minstd_rand random_;    // drawn by the main thread only (START and the series timer)
    TtffSeriesControl control_;  // last: its worker ends before the rest goes
};

}  // namespace orbex
