#include "cli/orbex_ttff/port_series.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstdio>
#include <random>

#include "tools/ttff/ttff_time_text.h"

namespace orbex {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void Key(JsonWriter& json, const char* key, const std::string& text) {
    json.Key(key);
    json.String(text.c_str(), static_cast<rapidjson::SizeType>(text.size()));
}

std::string WithoutLineFeed(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

}  // namespace

void SharedOutput::Line(const std::string& text) {
    std::lock_guard lock(mutex_);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

PortSeries::PortSeries(std::string port, const TtffOptions& options, bool prefixLines,
                       SharedOutput& output, int seed)
    : port_(std::move(port)),
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

bool PortSeries::Open(const OwnerPost& owner) {
    PortSettings settings;
    settings.flowXon = 0;  // no handshake: the receiver's bytes pass as they are
    return session_.Open(owner, settings, port_);
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

void PortSeries::EndStalled() {
    if (stalled_.exchange(false)) {
        control_.Stop();
    }
}

void PortSeries::Interrupt() {
    control_.Stop();
    control_.Shutdown();
}

std::vector<double> PortSeries::ttffs() const {
    std::lock_guard lock(resultsMutex_);
    return ttffs_;
}

int PortSeries::failures() const {
    std::lock_guard lock(resultsMutex_);
    return failures_;
}

void PortSeries::AddResultLine(const std::string& text) {
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
    const bool failed = report.end == CycleEnd::TimeError || report.end == CycleEnd::CommandFailed;
    {
        std::lock_guard lock(resultsMutex_);
        if (report.end == CycleEnd::Result) {
            ttffs_.push_back(report.ttff);
        } else if (failed) {
            ++failures_;
        }
    }
    if (report.end == CycleEnd::CommandFailed) {
        stalled_ = true;  // nobody is there to push STOP: the main thread ends the series
    }
    if (!options_.json || (report.end != CycleEnd::Result && !failed)) {
        return;
    }
    rapidjson::StringBuffer buffer;
    JsonWriter json(buffer);
    json.StartObject();
    Key(json, "port", port_);
    json.Key("cycle");
    json.Int(report.cycle);
    Key(json, "start", IsoUtcText(report.start));
    if (failed) {
        Key(json, "error", report.error);
    } else {
        json.Key("ttff");
        json.Int(static_cast<int>(report.ttff));
        json.Key("lat");
        json.Double(report.position.LatitudeDegrees());
        json.Key("lon");
        json.Double(report.position.LongitudeDegrees());
        json.Key("alt");
        json.Double(report.position.AltitudeMetres());
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
    output_.Line(buffer.GetString());
}

}  // namespace orbex
