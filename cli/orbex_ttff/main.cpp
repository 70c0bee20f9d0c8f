// orbex-ttff: TTFF series without a window, one per receiver at the same time, on the very cycle
// code of Orbex's TTFF window; prints the result list (or JSON), the statistics and the verdict,
// and keeps a summary file for a lab that leaves the series running.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "cli/common/command_line.h"
#include "cli/common/message_lines.h"
#include "cli/common/output_check.h"
#include "cli/common/stop_signals.h"
#include "cli/orbex_report/ttff_report.h"
#include "cli/orbex_report/ttff_results.h"
#include "cli/orbex_ttff/port_series.h"
#include "cli/orbex_ttff/shared_output.h"
#include "cli/orbex_ttff/ttff_json.h"
#include "cli/orbex_ttff/ttff_options.h"
#include "cli/orbex_ttff/ttff_statistics.h"
#include "cli/orbex_ttff/ttff_verdict.h"
#include "link/port_list.h"
#include "platform/event.h"
#include "platform/message_box.h"
#include "platform/whole_file.h"

namespace orbex {
namespace {

volatile sig_atomic_t interrupted = 0;

void Interrupt(int) {
    interrupted = 1;
}

int Fail(const std::string& reason) {
    return EndWith("orbex-ttff", kExitBadUse, reason);
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

// The files named on the command line, before anything is sent: "" or why one cannot be
// written.
std::string CheckOutputFiles(const TtffOptions& options) {
    if (!options.record.empty()) {
        for (const std::string& port : options.ports) {
            if (auto error = CheckFileToWrite(RecordPathFor(options.record, port))) {
                return *error;
            }
        }
    }
    if (!options.summary.empty()) {
        if (auto error = CheckFileToWrite(options.summary)) {
            return *error;
        }
    }
    if (!options.report.empty()) {
        if (auto error = CheckFileToWrite(options.report)) {
            return *error;
        }
    }
    return {};
}

std::string Seconds(double value, bool any) {
    if (!any) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", value);
    return text;
}

std::string Metres(const std::optional<ErrorFigures>& errors, bool median) {
    if (!errors) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f m", median ? errors->median : errors->p95);
    return text;
}

// The figures of nothing are "-", not 0.
void PrintStatisticsText(SharedOutput& output, const TtffOptions& options, const std::string& name,
                         const TtffStatistics& s, const std::optional<ErrorFigures>& errors) {
    char p[16];
    std::snprintf(p, sizeof p, "%g", options.percentile);
    const bool any = s.count > 0;
    std::string line = "statistics " + name + ": count " + std::to_string(s.count) + ", failures " +
                       std::to_string(s.failures) + ", mean " + Seconds(s.mean, any) + ", median " +
                       Seconds(s.median, any) + ", p" + p + " " + Seconds(s.percentile, any) +
                       ", min " + Seconds(s.minimum, any) + ", max " + Seconds(s.maximum, any) +
                       ", stddev " + Seconds(s.deviation, any);
    if (options.reference) {
        line += ", error median " + Metres(errors, true) + ", error p95 " + Metres(errors, false);
    }
    output.Line(line);
}

struct RunState {
    std::vector<std::string> ports;
    std::vector<PortResults> results;
    TtffVerdict verdict;
};

RunState Collect(const TtffOptions& options,
                 const std::vector<std::unique_ptr<PortSeries>>& series) {
    RunState state;
    for (const auto& port : series) {
        state.ports.push_back(port->port());
        state.results.push_back(port->results());
    }
    state.verdict = JudgeSeries(options, state.ports, state.results);
    return state;
}

void PrintStatistics(const TtffOptions& options, const RunState& state, SharedOutput& output) {
    if (options.json) {
        output.Line(StatisticsJson(options, state.ports, state.results, state.verdict));
        return;
    }
    for (std::size_t i = 0; i < state.ports.size(); ++i) {
        const PortResults& r = state.results[i];
        PrintStatisticsText(output, options, state.ports[i],
                            ComputeStatistics(r.ttffs, r.failures, options.percentile),
                            ComputeErrorFigures(r.errors));
    }
    if (state.ports.size() > 1) {
        PrintStatisticsText(output, options, "all", state.verdict.all, state.verdict.allErrors);
    }
    if (const std::string line = VerdictLine(options, state.verdict); !line.empty()) {
        output.Line(line);
    }
}

// Replaces the summary; false (and said once) when it cannot be written.
bool WriteSummary(const TtffOptions& options, const RunState& state, bool complete,
                  SharedOutput& output, bool& reported) {
    if (options.summary.empty()) {
        return true;
    }
    std::string error;
    const bool written = ReplaceWholeFile(
        options.summary, SummaryJson(options, state.ports, state.results, state.verdict, complete),
        error);
    if (!written && !reported) {
        output.Message(error);
        reported = true;
    }
    return written;
}

// The HTML report of the run, made by orbex-report's code from the run's summary; false (and
// said) when it cannot be written.
bool WriteReport(const TtffOptions& options, const RunState& state, SharedOutput& output) {
    if (options.report.empty()) {
        return true;
    }
    TtffResults results;
    std::string error;
    const std::string summary =
        SummaryJson(options, state.ports, state.results, state.verdict, true);
    if (!AddTtffResultsText(summary, "orbex-ttff", "", results, error) ||
        !WriteTtffReport(results, SettingsFromResults(results), options.report, error)) {
        output.Message(error);
        return false;
    }
    return true;
}

int Run(TtffOptions& options) {
    std::string error;
    // Messages that do not come through a receiver's own report.
    PrintMessagesAsLines("orbex-ttff");
    if (!ResolvePorts(options.ports, error)) {
        return Fail(error);
    }
    if (error = CheckOutputFiles(options); !error.empty()) {
        return Fail(error);
    }
    InstallStopSignals(Interrupt);

    // The sessions' notices (lines queued, a worker waiting to send, a link lost) wake the
    // loop below.
    Event wake(Event::Reset::Auto);
    SharedOutput output(options.ports.size());
    std::vector<std::unique_ptr<PortSeries>> series;
    for (std::size_t i = 0; i < options.ports.size(); ++i) {
        series.push_back(std::make_unique<PortSeries>(
            options.ports[i], i, options, options.ports.size() > 1, output,
            static_cast<int>(std::time(nullptr)) + static_cast<int>(i)));
        if (!series.back()->Open([&wake] { wake.Set(); })) {
            return kExitBadUse;  // the link has said why
        }
    }
    bool summaryFailed = false;
    bool summaryReported = false;
    if (!WriteSummary(options, Collect(options, series), false, output, summaryReported)) {
        return kExitBadUse;  // the summary could be made a moment ago; it cannot be replaced
    }
    for (auto& port : series) {
        port->Start();
    }
    auto nextTick = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        // Wakes for lines and for sends, and looks at the clock and Ctrl-C every 50 ms.
        wake.Wait(std::chrono::milliseconds(50));
        bool cycleEnded = false;
        for (auto& port : series) {
            port->Drain();
            port->Watch();
            cycleEnded = port->TakeCycleEnded() || cycleEnded;
        }
        if (std::chrono::steady_clock::now() >= nextTick) {
            nextTick += std::chrono::seconds(1);
            for (auto& port : series) {
                port->Tick();
                port->Watch();
            }
        }
        if (cycleEnded &&
            !WriteSummary(options, Collect(options, series), false, output, summaryReported)) {
            summaryFailed = true;
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
    for (auto& port : series) {
        port->Watch();  // the last progress line: each receiver has ended
    }
    output.EndProgress();
    const RunState state = Collect(options, series);
    PrintStatistics(options, state, output);
    if (!WriteSummary(options, state, true, output, summaryReported)) {
        summaryFailed = true;
    }
    const bool reportFailed = !WriteReport(options, state, output);
    for (auto& port : series) {
        port->CloseSends();
    }
    series.clear();
    const bool failed = (state.verdict.pass && !*state.verdict.pass) ||
                        state.verdict.receiverFailed || summaryFailed || reportFailed;
    if (state.verdict.receiverFailed && !state.verdict.pass) {
        output.Message(state.verdict.reason);
    }
    return failed ? kExitFailed : 0;
}

}  // namespace
}  // namespace orbex

int main(int argc, char** argv) {
    return orbex::RunCommandLine("orbex-ttff", argc, argv, orbex::ParseTtffOptions,
                                 orbex::TtffUsage, orbex::Run);
}
