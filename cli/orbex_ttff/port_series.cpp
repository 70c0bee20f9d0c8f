#include "cli/orbex_ttff/port_series.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <random>

#include "cli/common/port_failure.h"
#include "decode/accuracy_statistics.h"
#include "platform/window_messages.h"
#include "tools/ttff/ttff_time_text.h"

namespace orbex {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;
using Clock = std::chrono::steady_clock;

void Key(JsonWriter& json, const char* key, const std::string& text) {
    json.Key(key);
    json.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
}

// Milliseconds to a tenth, metres to a centimetre: finer digits would only be noise. The
// statistics take the rounded values too, so that they equal what a reader of the JSON gets.
constexpr double kMsStep = 10;      // parts of a millisecond
constexpr double kMetreStep = 100;  // parts of a metre

// Divided, not multiplied by the step's inverse, so that 2998.7 prints as 2998.7.
double Round(double value, double parts) {
    return std::round(value * parts) / parts;
}

void Rounded(JsonWriter& json, const char* key, double value, double parts) {
    json.Key(key);
    json.Double(Round(value, parts));
}

std::string WithoutLineFeed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return WithoutLineFeed(text);
}

}  // namespace

PortSeries::PortSeries(std::string port, std::size_t index, const TtffOptions& options,
                       bool prefixLines, SharedOutput& output, int seed)
    : port_(std::move(port)),
      index_(index),
      options_(options),
      prefixLines_(prefixLines),
      output_(output),
      random_(static_cast<std::minstd_rand::result_type>(seed)),
      control_(
          *this, [this](StartMode) { return RecordPathFor(options_.record, port_); },
          [this] { return std::uniform_int_distribution<int>(0, 32767)(random_); },
          [this] { session_.ServeSends(); }) {}

PortSeries::~PortSeries() {
    control_.Shutdown();
    session_.Close();
}

bool PortSeries::Open(std::function<void()> wake) {
    // The link's failures name the port and the system's reason; the last one is also the
    // error of a cycle that the failure ends.
    session_.SetErrorReport([this](const std::string& text, MessageIcon) {
        {
            std::lock_guard lock(resultsMutex_);
            linkError_ = OneLine(text);
        }
        // The reader's last system error is the link's reason (see PortFailureLine).
        output_.Message(OneLine(text));
        output_.Message(PortFailureLine(port_));
    });
    const OwnerPost owner = [this, wake](unsigned message, std::uintptr_t, std::intptr_t) {
        if (message == UWM_LINK_LOST) {
            lost_ = true;
        }
        wake();
    };
    return session_.Open(owner, options_.settings, port_);
}

void PortSeries::Start() {
    TtffSelection selection;
    selection.mode = options_.mode;
    selection.maxCount = options_.count;
    selection.interval = options_.interval;
    selection.recordLog = !options_.record.empty();
    control_.Start(selection);
}

void PortSeries::Drain() {
    session_.ServeSends();
    std::string line;
    while (session_.Pop(line)) {
        control_.OfferLine(line);
    }
}

void PortSeries::Watch() {
    if (ended_) {
        return;
    }
    const Clock::time_point now = Clock::now();
    if (lost_) {
        std::string reason;
        {
            std::lock_guard lock(resultsMutex_);
            reason = linkError_.empty() ? std::string("the receiver is gone") : linkError_;
            results_.lost = true;
        }
        if (control_.cycleRunning()) {
            GiveUpCycle(reason);
        }
        control_.Stop();
        session_.CloseSends();
        session_.Close();  // no waiting for the device to come back: the series is over
        output_.Message(port_ + ": the receiver is gone; its series ends");
    } else if (stalled_.exchange(false)) {
        control_.Stop();  // nobody is there to push STOP
    }
    const int started = control_.series().cyclesStarted;
    if (started != seenCycle_) {
        // The worker cannot pass its settling pause before this thread hands it lines, so the
        // phase set here is never later than the worker's.
        seenCycle_ = started;
        cycleStartedAt_ = now;
        SetPhase(Phase::Settling);
    }
    if (options_.cycleTimeout && control_.cycleRunning() &&
        now - cycleStartedAt_ >= std::chrono::duration<double>(*options_.cycleTimeout)) {
        char text[64];
        std::snprintf(text, sizeof text, "Error no fix within %g sec", *options_.cycleTimeout);
        GiveUpCycle(text);
    }
    if (lost_ || control_.Finished()) {
        SetPhase(Phase::Ended);
        ended_ = true;
    }
    ShowProgress();
}

void PortSeries::Tick() {
    // --count counts the cycles that ended, failed ones too: the window's series counts
    // results only, and a receiver that never gives one would keep it running for ever. Only
    // the timer starts a cycle, so none can start between this look and the STOP.
    if (!control_.Finished() && options_.count > 0 && !control_.cycleRunning() &&
        CyclesEnded() >= options_.count) {
        control_.Stop();
        return;
    }
    control_.Tick();
}

void PortSeries::GiveUpCycle(const std::string& reason) {
    {
        std::lock_guard lock(resultsMutex_);
        abandonReason_ = reason;
    }
    control_.AbandonCycle();  // the worker reports the cycle before this returns
    std::lock_guard lock(resultsMutex_);
    abandonReason_.clear();
}

void PortSeries::Interrupt() {
    control_.Stop();
    control_.Shutdown();
    SetPhase(Phase::Ended);
    ended_ = true;
}

int PortSeries::CyclesEnded() const {
    std::lock_guard lock(resultsMutex_);
    return static_cast<int>(results_.ttffs.size()) + results_.failures;
}

PortResults PortSeries::results() const {
    std::lock_guard lock(resultsMutex_);
    return results_;
}

void PortSeries::SetPhase(Phase phase) {
    phase_ = phase;
    phaseSince_ = Clock::now().time_since_epoch().count();
}

void PortSeries::ShowProgress() {
    const Phase phase = phase_;
    const int cycle = seenCycle_;
    const auto since = Clock::time_point(Clock::duration(phaseSince_.load()));
    const long seconds = static_cast<long>(
        std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - since).count());
    const bool changed = phase != shownPhase_ || cycle != shownCycle_;
    if (!changed && seconds == shownSeconds_) {
        return;
    }
    shownPhase_ = phase;
    shownCycle_ = cycle;
    shownSeconds_ = seconds;
    if (phase == Phase::Ended) {
        const PortResults r = results();
        output_.Progress(index_,
                         port_ + ": ended, " + std::to_string(r.ttffs.size()) + " measured, " +
                             std::to_string(r.failures) + " failed",
                         changed);
        return;
    }
    // What a running cycle does, in the order of Phase (Ended is told above).
    static constexpr const char* kDoing[] = {"starting", "settling before the reset",
                                             "waiting for the fix", "pause"};
    static_assert(std::size(kDoing) == static_cast<std::size_t>(Phase::Ended));
    std::string text = port_ + ": cycle " + std::to_string(cycle);
    if (options_.count > 0) {
        text += " of " + std::to_string(options_.count);
    }
    text += std::string(", ") + kDoing[static_cast<int>(phase)];
    output_.Progress(index_, text + ", " + std::to_string(seconds) + " s", changed);
}

void PortSeries::AddResultLine(const std::string& text) {
    // The mode's name goes to the list as the reset is sent: from here the cycle waits for
    // the receiver's restart and fix.
    for (const auto& mode : kStartModes) {
        if (mode.resultLine != nullptr && text == mode.resultLine) {
            SetPhase(Phase::WaitingForFix);
        }
    }
    if (!options_.json) {
        output_.Line((prefixLines_ ? port_ + ": " : std::string()) + WithoutLineFeed(text));
    }
}

void PortSeries::ShowCountAndAverage(double count, int average) {
    shownCount_ = count;
    shownAverage_ = average;
}

void PortSeries::SendToReceiver(std::string_view bytes) {
    session_.SendFromWorker(bytes);
}

void PortSeries::OnCycleEnded(const CycleReport& report) {
    bool failed = report.end == CycleEnd::TimeError || report.end == CycleEnd::CommandFailed;
    std::string error = report.error;
    if (report.end == CycleEnd::Cancelled) {
        std::lock_guard lock(resultsMutex_);
        if (!abandonReason_.empty()) {
            failed = true;  // given up by this program: past the cycle timeout, or link lost
            error = abandonReason_;
        }
    }
    if (failed && report.end == CycleEnd::Cancelled) {
        AddResultLine(error);
    }
    if (report.end == CycleEnd::CommandFailed) {
        stalled_ = true;  // nobody is there to push STOP: the main thread ends the series
    }
    const bool result = report.end == CycleEnd::Result;
    if (!result && !failed) {
        return;
    }
    std::optional<double> errorMetres;
    if (result && options_.reference) {
        GeoPoint fix;
        fix.latDegrees = report.position.LatitudeDegrees();
        fix.lonDegrees = report.position.LongitudeDegrees();
        const LocalOffset offset = OffsetFrom(*options_.reference, fix);
        errorMetres = std::hypot(offset.north, offset.east);
    }
    const std::string json = ResultJson(report, failed, error, errorMetres);
    {
        std::lock_guard lock(resultsMutex_);
        if (result) {
            results_.ttffs.push_back(report.ttffMs ? Round(*report.ttffMs, kMsStep) / 1000
                                                   : report.ttff);
            if (errorMetres) {
                results_.errors.push_back(Round(*errorMetres, kMetreStep));
            }
            results_.recordFailed = results_.recordFailed || report.recordFailed;
        } else {
            ++results_.failures;
        }
        results_.jsons.push_back(json);
    }
    SetPhase(Phase::Pause);
    cycleEnded_ = true;
    if (options_.json) {
        output_.Line(json);
    }
}

std::string PortSeries::ResultJson(const CycleReport& report, bool failed, const std::string& error,
                                   std::optional<double> errorMetres) const {
    rapidjson::StringBuffer buffer;
    JsonWriter json(buffer);
    json.StartObject();
    Key(json, "port", port_);
    json.Key("cycle");
    json.Int(report.cycle);
    Key(json, "start", IsoUtcText(report.start));
    if (failed) {
        Key(json, "error", error);
    } else {
        json.Key("ttff");
        json.Int(static_cast<int>(report.ttff));
        if (report.ttffMs) {
            Rounded(json, "ttff_ms", *report.ttffMs, kMsStep);
        }
        if (report.resetToFixMs) {
            Rounded(json, "reset_to_fix_ms", *report.resetToFixMs, kMsStep);
        }
        json.Key("lat");
        json.Double(report.position.LatitudeDegrees());
        json.Key("lon");
        json.Double(report.position.LongitudeDegrees());
        json.Key("alt");
        json.Double(report.position.AltitudeMetres());
        if (errorMetres) {
            Rounded(json, "error_m", *errorMetres, kMetreStep);
        }
        json.Key("count");
        json.Int(static_cast<int>(shownCount_.load()));
        json.Key("average");
        json.Int(shownAverage_.load());
        if (report.hotPath) {
            json.Key("hot");
            json.Bool(true);
        }
        if (report.recordFailed) {
            Key(json, "recordError", WithoutLineFeed(kNotWrittenText));
        }
    }
    json.EndObject();
    return buffer.GetString();
}

}  // namespace orbex
