// One receiver's series in orbex-ttff: its receiver session, the series control the TTFF window
// runs, and what the series shows, printed as text lines or JSON objects. Around the shared
// cycle code it watches what a lab needs from an unattended run: a cycle that waits too long
// for its fix, a receiver that goes away, and where each cycle stands.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cli/orbex_ttff/shared_output.h"
#include "cli/orbex_ttff/ttff_options.h"
#include "link/receiver_session.h"
#include "tools/ttff/ttff_series_control.h"

namespace orbex {

// What one receiver's series gave, for the statistics, the verdict and the summary.
struct PortResults {
    std::vector<double> ttffs;       // seconds: ttff_ms / 1000 when measured, else whole seconds
    std::vector<double> errors;      // metres from the reference, of the results that have one
    int failures = 0;                // cycles that ended with an error text
    std::vector<std::string> jsons;  // every result and failure object as --json prints it
    bool lost = false;               // the link went away; the series ended there
    bool recordFailed = false;       // a result could not be appended to the result file
};

class PortSeries : public TtffHost {
  public:
    PortSeries(std::string port, std::size_t index, const TtffOptions& options, bool prefixLines,
               SharedOutput& output, int seed);
    ~PortSeries() override;

    // Opens the link to the port; false when it cannot (it has said why). `wake` is called on
    // the link's threads when there is something for the main thread to do.
    bool Open(std::function<void()> wake);
    void Start();
    // Main thread: writes the worker's waiting sends and hands the queued lines to the running
    // cycle.
    void Drain();
    // Main thread, once a second: the series timer, and the end of the series once --count
    // cycles have ended.
    void Tick();
    // Main thread, often: gives up a cycle past the cycle timeout, ends the series of a receiver
    // that took no reset or went away, and shows the progress.
    void Watch();
    // Main thread: STOP and cancel the running cycle without a record (Ctrl-C).
    void Interrupt();
    bool Finished() const { return control_.Finished(); }
    // Main thread, at the end: the worker's sends are no longer written.
    void CloseSends() { session_.CloseSends(); }
    // True once after each cycle that ended with a result or a failure.
    bool TakeCycleEnded() { return cycleEnded_.exchange(false); }

    const std::string& port() const { return port_; }
    // Results so far (a copy: the worker adds to them).
    PortResults results() const;

    // TtffHost
    void AddResultLine(const std::string& text) override;
    void ShowCountAndAverage(double count, int average) override;
    void SendToReceiver(std::string_view bytes) override;
    void OnCycleEnded(const CycleReport& report) override;

  private:
    enum class Phase { Starting, Settling, WaitingForFix, Pause, Ended };
    int CyclesEnded() const;
    void SetPhase(Phase phase);
    void GiveUpCycle(const std::string& reason);
    void ShowProgress();
    std::string ResultJson(const CycleReport& report, bool failed, const std::string& error,
                           std::optional<double> errorMetres) const;

    std::string port_;
    std::size_t index_;
    const TtffOptions& options_;
    bool prefixLines_;
    SharedOutput& output_;
    ReceiverSession session_;
    mutable std::mutex resultsMutex_;  // the worker adds results, the main thread reads them
    PortResults results_;
    std::string abandonReason_;  // set by the main thread before it cancels a cycle
    std::string linkError_;      // the link's last failure text, from its reader thread
    std::atomic<bool> stalled_{false};
    std::atomic<bool> lost_{false};
    std::atomic<bool> cycleEnded_{false};
    std::atomic<double> shownCount_{0};
    std::atomic<int> shownAverage_{0};
    // The progress: set by both threads, shown by the main thread.
    std::atomic<Phase> phase_{Phase::Starting};
    std::atomic<std::chrono::steady_clock::rep> phaseSince_{0};
    Phase shownPhase_ = Phase::Starting;  // main thread only, like the rest below
    int shownCycle_ = 0;
    long shownSeconds_ = -1;
    int seenCycle_ = 0;
    std::chrono::steady_clock::time_point cycleStartedAt_;
    bool ended_ = false;
    std::minstd_rand random_;    // drawn by the main thread only (START and the series timer)
    TtffSeriesControl control_;  // last: its worker ends before the rest goes
};

}  // namespace orbex
