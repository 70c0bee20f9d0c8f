#include "tools/ttff/ttff_series_control.h"

#include <exception>
#include <memory>

#include "tools/ttff/ttff_time_text.h"

namespace orbex {

TtffSeriesControl::TtffSeriesControl(TtffHost& host,
                                     std::function<std::string(StartMode)> resultFile,
                                     std::function<int()> random,
                                     std::function<void()> whileJoining)
    : host_(host),
      resultFile_(std::move(resultFile)),
      random_(std::move(random)),
      worker_(std::move(whileJoining)) {}

TtffSeriesControl::~TtffSeriesControl() {
    worker_.Shutdown();
}

void TtffSeriesControl::Start(const TtffSelection& selection) {
    if (!series_.idle) {
        host_.ShowError(kPushStopText);
        return;
    }
    series_.idle = false;
    series_.firstRecordPending = true;
    series_.pauseSeconds = 0;
    series_.startMode = selection.mode;
    series_.maxCount = selection.maxCount;
    series_.randomValue = RandomInterval(random_());
    series_.randomInterval = selection.interval == kRandomInterval;
    series_.interval = series_.randomInterval ? series_.randomValue : selection.interval;
    series_.recordLog = selection.recordLog;
    if (selection.mode == StartMode::None) {
        // Nothing was started, so a second START must not ask for STOP.
        series_.idle = true;
        host_.ShowError(kSelectCommandText);
        return;
    }
    if (selection.maxCount != 1) {  // the first "Max Count" entry runs one cycle only
        SetTimer(true);
    }
    RecordCycleStart();
    StartCycle();
}

void TtffSeriesControl::Tick() {
    if (!timerRunning_ || !series_.idle) {
        return;
    }
    series_.pauseSeconds += 1;
    if (series_.maxCount != 0 && series_.count >= series_.maxCount) {
        SetTimer(false);  // the series has all its measurements
        return;
    }
    if (series_.pauseSeconds + 1 < series_.interval) {
        return;
    }
    series_.idle = false;
    series_.pauseSeconds = 0;
    if (series_.randomInterval) {
        series_.randomValue = RandomInterval(random_());
        series_.interval = series_.randomValue;
    }
    RecordCycleStart();
    StartCycle();
}

void TtffSeriesControl::Stop() {
    series_.idle = true;
    series_.stopRequested = true;
    SetTimer(false);
}

void TtffSeriesControl::AbandonCycle() {
    worker_.Shutdown();
    series_.idle = true;
    series_.pauseSeconds = 0;
}

void TtffSeriesControl::Clear() {
    Stop();
    host_.ClearResults();
    series_.count = 0;
    series_.total = 0;
    series_.average = 0;
    series_.randomInterval = false;
}

void TtffSeriesControl::SetTimer(bool running) {
    if (timerRunning_ != running) {
        timerRunning_ = running;
        host_.SetSeriesTimer(running);
    }
}

void TtffSeriesControl::RecordCycleStart() {
    series_.cycleStart = host_.Now();
    series_.cycleStartText = CycleStartRecordText(series_.cycleStart);
    host_.AddResultLine(CycleStartListText(series_.cycleStart));
}

void TtffSeriesControl::StartCycle() {
    // The file name is made for the first measurement and kept while the series counts.
    if (series_.count == 0 || series_.resultFile.empty()) {
        series_.resultFile = resultFile_(series_.startMode);
    }
    CycleSetup setup;
    setup.mode = series_.startMode;
    setup.recordLog = series_.recordLog;
    setup.resultFile = series_.resultFile;
    setup.start = series_.cycleStart;
    setup.startText = series_.cycleStartText;
    setup.cycle = ++series_.cyclesStarted;
    series_.stopRequested = false;
    try {
        worker_.Start(std::make_unique<TtffMeasurementCycle>(series_, host_, std::move(setup)));
    } catch (const std::exception&) {  // no memory or no thread for the cycle
        host_.AddResultLine(kNotEnoughMemoryText);
        series_.idle = true;
    }
}

}  // namespace orbex
