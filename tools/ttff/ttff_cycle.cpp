#include "tools/ttff/ttff_cycle.h"

#include <cmath>
#include <cstdio>

#include "tools/ttff/ttff_result_file.h"

namespace orbex {
namespace {

bool Begins(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

constexpr int kCommandCheckLines = 15;
constexpr int kHotPathLines = 5;
constexpr double kLongestTtff = 36000;

}  // namespace

TtffMeasurementCycle::TtffMeasurementCycle(TtffSeries& series, TtffHost& host, CycleSetup setup)
    : series_(series), host_(host), setup_(std::move(setup)) {}

void TtffMeasurementCycle::Begin() {
    marker_ = "@ " + std::to_string(static_cast<long long>(series_.count.load()) + 1) + "\r\n";
}

bool TtffMeasurementCycle::EndsSettling(std::string_view line) const {
    return Begins(line, marker_);
}

bool TtffMeasurementCycle::StoppedWhileSettling() {
    if (series_.stopRequested) {
        EndWith(CycleEnd::Stopped);
    }
    return over();
}

void TtffMeasurementCycle::SendReset() {
    const StartModeTexts& texts = TextsOf(setup_.mode);
    host_.AddResultLine(texts.resultLine);
    host_.SendToReceiver(texts.command);
    resetWritten_ = host_.MonotonicNow();  // the send returns once the bytes are written
}

bool TtffMeasurementCycle::OnLine(std::string_view line) {
    if (over()) {
        return true;
    }
    // What the line tells: echo, banner (the restart time), time sentence, position and fix.
    if (Begins(line, "@SR") || Begins(line, "@SW") || Begins(line, "@CD")) {
        resetEchoSeen_ = true;
    }
    if (resetEchoSeen_ && Begins(line, kStartupBanner)) {
        bannerSeen_ = true;
        t0_ = host_.Now();
        bannerAt_ = host_.MonotonicNow();
        // The receiver restarts here. Time sentences and fixes read before its banner belong
        // to the run before the reset: a busy main window hands lines on in bursts, so some
        // that were received before the reset reach the queue after it was emptied. Kept,
        // they would end the cycle on the banner line itself ("Error dTTFFTime = 0"), and the
        // hot path would look at a stale "$GPGGA" instead of the first one after the banner.
        timeSentenceSeen_ = false;
        fix_ = false;
        ggaCount_ = 0;
        hotPathCounter_ = 0;
        waitingForFix_ = true;
    }
    if (Begins(line, "$GPZDA")) {
        timeSentenceSeen_ = true;
    }
    bool firstGga = false;
    if (Begins(line, "$GPGGA")) {
        ReadGgaPosition(line, series_.position, fix_);
        if (fix_) {
            ++fixCount_;
        }
        firstGga = ggaCount_ == 0;
        ++ggaCount_;
    }
    // The hot path: fixed already at the first "$GPGGA" after the banner, and still
    // fixed five lines on.
    if (firstGga && fix_ && resetEchoSeen_ && bannerSeen_) {
        waitingForFix_ = false;
        firstFixAt_ = host_.MonotonicNow();
    }
    if (!waitingForFix_) {
        if (timeSentenceSeen_ && !fix_) {
            waitingForFix_ = true;
        } else if (fix_) {
            ++hotPathCounter_;
        }
    }
    if (hotPathCounter_ >= kHotPathLines && !waitingForFix_ && bannerSeen_) {
        HotPathResult();
        return true;
    }
    // The command check: a receiver that keeps its fix and never echoes took no reset.
    if (!resetEchoSeen_ && fix_ && ++failureCounter_ == kCommandCheckLines) {
        host_.AddResultLine(kCommandFailText);
        host_.AddResultLine(kCheckCommandLineText);
        EndWith(CycleEnd::CommandFailed, kCommandFailText);
        return true;
    }
    // The result: echo, banner, time sentence and fix all seen.
    if (waitingForFix_ && resetEchoSeen_ && bannerSeen_ && timeSentenceSeen_ && fix_) {
        NormalResult();
        return true;
    }
    // STOP or CLEAR ends the cycle at its next line.
    if (series_.stopRequested) {
        EndWith(CycleEnd::Stopped);
        return true;
    }
    return false;
}

void TtffMeasurementCycle::HotPathResult() {
    series_.lastTtff = 1;
    series_.idle = true;
    bannerSeen_ = resetEchoSeen_ = timeSentenceSeen_ = false;
    hotPath_ = true;
    fixAt_ = firstFixAt_;
    host_.AddResultLine(kHotModeText);
    Count(1);
    EndWith(CycleEnd::Result);
}

void TtffMeasurementCycle::NormalResult() {
    series_.idle = true;
    bannerSeen_ = resetEchoSeen_ = timeSentenceSeen_ = false;
    fixAt_ = host_.MonotonicNow();
    const double ttff = std::difftime(host_.Now(), t0_);
    series_.lastTtff = ttff;
    const char* error = ttff > kLongestTtff ? kTooLongText
                        : ttff == 0         ? kZeroText
                        : ttff < 0          ? kNegativeText
                                            : nullptr;
    if (error) {
        host_.AddResultLine(error);
        EndWith(CycleEnd::TimeError, error);
        return;
    }
    Count(ttff);
    EndWith(CycleEnd::Result);
}

void TtffMeasurementCycle::Count(double ttff) {
    // Only this worker changes the figures while the cycle runs (CLEAR stops it first).
    const double count = series_.count.load() + 1;
    const double total = series_.total.load() + ttff;
    const int average = static_cast<int>(total / count);
    series_.count = count;
    series_.total = total;
    series_.average = average;
    host_.ShowCountAndAverage(count, average);
    char text[64];
    std::snprintf(text, sizeof text, "TTFF TIME = %d sec", static_cast<int>(ttff));
    host_.AddResultLine(text);
}

void TtffMeasurementCycle::EndWith(CycleEnd end, std::string error) {
    end_ = end;
    error_ = std::move(error);
}

void TtffMeasurementCycle::Finish() {
    CycleReport report;
    report.end = end_.value_or(CycleEnd::Cancelled);
    report.cycle = setup_.cycle;
    report.start = setup_.start;
    report.ttff = series_.lastTtff;
    report.hotPath = hotPath_;
    report.error = error_;
    report.position = series_.position;
    if (report.end == CycleEnd::Result) {
        using Ms = std::chrono::duration<double, std::milli>;
        report.ttffMs = Ms(fixAt_ - bannerAt_).count();
        if (resetWritten_) {
            report.resetToFixMs = Ms(fixAt_ - *resetWritten_).count();
        }
    }
    if (report.end == CycleEnd::Result && setup_.recordLog) {
        TtffRecord record;
        record.count = static_cast<long long>(series_.count.load());
        record.cycleStartText = setup_.startText;
        record.ttff = static_cast<int>(series_.lastTtff.load());
        record.average = series_.average;
        record.position = series_.position;
        const bool first = series_.firstRecordPending;
        if (AppendRecord(setup_.resultFile, first, setup_.mode, record)) {
            series_.firstRecordPending = false;
            report.recordWritten = true;
        } else {
            // The result stays counted; the next record that can be written starts the file.
            host_.AddResultLine(kNotWrittenText);
            report.recordFailed = true;
        }
        series_.idle = true;
    }
    host_.OnCycleEnded(report);
}

void TtffMeasurementCycle::Cancel() {
    end_ = CycleEnd::Cancelled;
    CycleReport report;
    report.cycle = setup_.cycle;
    report.start = setup_.start;
    host_.OnCycleEnded(report);
}

}  // namespace orbex
