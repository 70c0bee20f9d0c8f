// START, STOP, CLEAR and the 1-second series timer of a TTFF series, on the user-interface
// side: the TTFF window's buttons and timer call these, and orbex-ttff does the same for each
// receiver. Cycles run on the worker thread.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "tools/ttff/ttff_host.h"
#include "tools/ttff/ttff_series.h"
#include "tools/ttff/ttff_worker.h"

namespace orbex {

// The selection at START, as values (the dialog takes them from its lists).
struct TtffSelection {
    StartMode mode = StartMode::None;
    int maxCount = 1;  // measurements; 0 runs until STOP; 1 runs no series timer
    int interval = 7;  // seconds, or kRandomInterval
    bool recordLog = false;
};

class TtffSeriesControl {
  public:
    // `resultFile` names the file of a series in `mode` (the path rule or a fixed name);
    // `random` draws 0..32767; `whileJoining` as for TtffWorker.
    TtffSeriesControl(TtffHost& host, std::function<std::string(StartMode)> resultFile,
                      std::function<int()> random, std::function<void()> whileJoining = {});
    ~TtffSeriesControl();

    void Start(const TtffSelection& selection);
    // One tick of the series timer.
    void Tick();
    void Stop();
    void Clear();
    // A received line, for the running cycle.
    void OfferLine(std::string_view line) { worker_.OfferLine(line); }
    // Cancels a running cycle and waits for its worker (the window is closing).
    void Shutdown() { worker_.Shutdown(); }
    // Cancels a running cycle without a record and leaves the series idle, so that the timer
    // starts the next one after the pause (a cycle given up by the program that runs it).
    void AbandonCycle();

    const TtffSeries& series() const { return series_; }
    bool timerRunning() const { return timerRunning_; }
    bool cycleRunning() const { return worker_.Running(); }
    // Nothing measures and nothing will start by itself.
    bool Finished() const { return series_.idle && !timerRunning_ && !worker_.Running(); }

  private:
    void SetTimer(bool running);
    void RecordCycleStart();
    void StartCycle();

    TtffHost& host_;
    std::function<std::string(StartMode)> resultFile_;
    std::function<int()> random_;
    TtffSeries series_;
    bool timerRunning_ = false;
    TtffWorker worker_;  // last: its thread ends before the series state goes
};

}  // namespace orbex
