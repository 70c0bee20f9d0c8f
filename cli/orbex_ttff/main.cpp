// orbex-ttff: TTFF series without a window, one per receiver at the same time, on the very cycle
// code of Orbex's TTFF window; prints the result list (or JSON) and the statistics.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "cli/orbex_ttff/port_series.h"
#include "cli/orbex_ttff/ttff_options.h"
#include "cli/orbex_ttff/ttff_statistics.h"
#include "link/port_list.h"
#include "platform/event.h"
#include "platform/message_box.h"
#include "platform/window_messages.h"

namespace orbex {
namespace {

constexpr int kExitLimitMissed = 1;
constexpr int kExitBadUse = 2;

volatile sig_atomic_t interrupted = 0;

void Interrupt(int) {
    interrupted = 1;
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = Interrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

// The link's messages as one line each on standard error.
MessageResult PrintMessage(const MessageRequest& request) {
    std::string line = "orbex-ttff: " + request.text;
    for (char& c : line) {
        if (c == '\n') {
            c = ' ';
        }
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    return request.buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Yes;
}

int Fail(const std::string& reason) {
    std::fprintf(stderr, "orbex-ttff: %s\n", reason.c_str());
    return kExitBadUse;
}

// Every --port index becomes the device path it names; paths and network addresses stay.
bool ResolvePorts(std::vector<std::string>& ports, std::string& error) {
    for (std::string& port : ports) {
        port = PortNamed(port, error);
        if (port.empty()) {
            return false;
        }
    }
    return true;
}

std::string Seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

void PrintStatisticsText(SharedOutput& output, const std::string& name, const TtffStatistics& s,
                         double percentile) {
    char p[16];
    std::snprintf(p, sizeof p, "%g", percentile);
    output.Line("statistics " + name + ": count " + std::to_string(s.count) + ", failures " +
                std::to_string(s.failures) + ", mean " + Seconds(s.mean) + " s, median " +
                Seconds(s.median) + " s, p" + p + " " + Seconds(s.percentile) + " s, min " +
                Seconds(s.minimum) + " s, max " + Seconds(s.maximum) + " s, stddev " +
                Seconds(s.deviation) + " s");
}

void WriteStatisticsJson(rapidjson::Writer<rapidjson::StringBuffer>& json,
                         const TtffStatistics& s) {
    json.StartObject();
    json.Key("count");
    json.Int(s.count);
    json.Key("failures");
    json.Int(s.failures);
    const std::pair<const char*, double> figures[] = {
        {"mean", s.mean},   {"median", s.median}, {"percentile", s.percentile},
        {"min", s.minimum}, {"max", s.maximum},   {"stddev", s.deviation}};
    for (const auto& [key, value] : figures) {
        json.Key(key);
        json.Double(value);
    }
    json.EndObject();
}

// Per receiver and over all; true when the limit holds (or none was given).
bool ReportStatistics(const std::vector<std::unique_ptr<PortSeries>>& series,
                      const TtffOptions& options, SharedOutput& output) {
    std::vector<double> all;
    int allFailures = 0;
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> json(buffer);
    json.StartObject();
    json.Key("statistics");
    json.StartObject();
    json.Key("percentile");
    json.Double(options.percentile);
    json.Key("ports");
    json.StartObject();
    for (const auto& port : series) {
        const std::vector<double> ttffs = port->ttffs();
        all.insert(all.end(), ttffs.begin(), ttffs.end());
        allFailures += port->failures();
        const TtffStatistics s = ComputeStatistics(ttffs, port->failures(), options.percentile);
        if (options.json) {
            json.Key(port->port().c_str());
            WriteStatisticsJson(json, s);
        } else {
            PrintStatisticsText(output, port->port(), s, options.percentile);
        }
    }
    json.EndObject();
    const TtffStatistics total = ComputeStatistics(all, allFailures, options.percentile);
    if (options.json) {
        json.Key("all");
        WriteStatisticsJson(json, total);
        json.EndObject();
        json.EndObject();
        output.Line(buffer.GetString());
    } else if (series.size() > 1) {
        PrintStatisticsText(output, "all", total, options.percentile);
    }
    return !options.limit || (total.count > 0 && total.percentile <= *options.limit);
}

int Run(int argc, char** argv) {
    TtffOptions options;
    std::string error;
    if (!ParseTtffOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        return Fail(error + " (see --help)");
    }
    if (options.help) {
        std::fputs(TtffUsage().c_str(), stdout);
        return 0;
    }
    SetMessageBoxFunction(PrintMessage);
    if (!ResolvePorts(options.ports, error)) {
        return Fail(error);
    }
    InstallSignalHandlers();

    // The sessions' notices (lines queued, a worker waiting to send) wake the loop below.
    Event wake(Event::Reset::Auto);
    const OwnerPost owner = [&wake](unsigned, std::uintptr_t, std::intptr_t) { wake.Set(); };
    SharedOutput output;
    std::vector<std::unique_ptr<PortSeries>> series;
    for (std::size_t i = 0; i < options.ports.size(); ++i) {
        series.push_back(std::make_unique<PortSeries>(
            options.ports[i], options, options.ports.size() > 1, output,
            static_cast<int>(std::time(nullptr)) + static_cast<int>(i)));
        if (!series.back()->Open(owner)) {
            return kExitBadUse;  // the link has said why
        }
    }
    for (auto& port : series) {
        port->Start();
    }
    auto nextTick = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        // Wakes for lines and for sends, and looks at the clock and Ctrl-C every 50 ms.
        wake.Wait(std::chrono::milliseconds(50));
        for (auto& port : series) {
            port->Drain();
            port->EndStalled();
        }
        if (std::chrono::steady_clock::now() >= nextTick) {
            nextTick += std::chrono::seconds(1);
            for (auto& port : series) {
                port->Tick();
            }
        }
        if (interrupted) {
            for (auto& port : series) {
                port->Interrupt();
            }
            break;
        }
        bool finished = true;
        for (auto& port : series) {
            finished = finished && port->Finished();
        }
        if (finished) {
            break;
        }
    }
    const bool passed = ReportStatistics(series, options, output);
    for (auto& port : series) {
        port->CloseSends();
    }
    series.clear();
    return passed ? 0 : kExitLimitMissed;
}

}  // namespace
}  // namespace orbex

int main(int argc, char** argv) {
    return orbex::Run(argc, argv);
}
