#include "cli/orbex_report/ttff_report.h"

#include <algorithm>
#include <vector>

#include "cli/orbex_report/html_page.h"
#include "cli/orbex_report/report_file.h"
#include "cli/orbex_report/svg_chart.h"
#include "cli/orbex_ttff/binomial_bound.h"
#include "cli/orbex_ttff/ttff_statistics.h"

namespace orbex {

namespace {

std::string Seconds(double value) {
    return FixedText(value, 2);
}

std::string PercentileName(double percentile) {
    const bool whole = percentile == static_cast<double>(static_cast<int>(percentile));
    return "p" + FixedText(percentile, whole ? 0 : 1);
}

// First-fix distances from the reference of one receiver (all for an empty name).
std::vector<double> ErrorsOf(const TtffResults& results, const std::string& receiver) {
    std::vector<double> errors;
    for (const TtffCycle& cycle : results.cycles) {
        if (!cycle.failed && cycle.errorMetres &&
            (receiver.empty() || cycle.receiver == receiver)) {
            errors.push_back(*cycle.errorMetres);
        }
    }
    return errors;
}

bool AnyError(const TtffResults& results) {
    return std::any_of(results.cycles.begin(), results.cycles.end(),
                       [](const TtffCycle& cycle) { return cycle.errorMetres.has_value(); });
}

std::string ConfidenceText(const WithinLimit& w) {
    return FixedText(ClopperPearsonLowerBound(w.within, w.cycles), 4);
}

std::string StatisticsRow(const TtffResults& results, const std::string& receiver,
                          const std::string& name, const TtffReportSettings& settings,
                          bool errors) {
    const TtffStatistics s = ComputeStatistics(TtffsOf(results, receiver),
                                               FailuresOf(results, receiver), settings.percentile);
    std::string row =
        "<tr data-receiver=\"" + HtmlEscaped(name) + "\"><td>" + HtmlEscaped(name) + "</td>";
    auto cell = [&row](const char* figure, const std::string& text) {
        row += std::string("<td data-figure=\"") + figure + "\">" + text + "</td>";
    };
    cell("count", std::to_string(s.count));
    cell("failures", std::to_string(s.failures));
    const bool any = s.count > 0;
    cell("mean", any ? Seconds(s.mean) : "-");
    cell("median", any ? Seconds(s.median) : "-");
    cell("percentile", any ? Seconds(s.percentile) : "-");
    cell("min", any ? Seconds(s.minimum) : "-");
    cell("max", any ? Seconds(s.maximum) : "-");
    cell("stddev", any ? Seconds(s.deviation) : "-");
    if (errors) {
        const std::vector<double> e = ErrorsOf(results, receiver);
        const TtffStatistics es = ComputeStatistics(e, 0, 95);
        cell("error_median", e.empty() ? "-" : FixedText(es.median, 2));
        cell("error_p95", e.empty() ? "-" : FixedText(es.percentile, 2));
    }
    if (settings.limit) {
        const WithinLimit w = WithinLimitOf(results, receiver, *settings.limit);
        cell("within", std::to_string(w.within) + "/" + std::to_string(w.cycles));
        cell("confidence", ConfidenceText(w));
    }
    return row + "</tr>\n";
}

int ReceiversWithoutResult(const TtffResults& results) {
    return static_cast<int>(
        std::count_if(results.receivers.begin(), results.receivers.end(),
                      [&results](const std::string& r) { return TtffsOf(results, r).empty(); }));
}

// "PASS: p95 12.00 s, limit 30.00 s", as the distribution's picture shows it; empty without a
// limit.
std::string ShortVerdict(const TtffResults& results, const TtffReportSettings& settings) {
    if (!settings.limit) {
        return {};
    }
    const TtffStatistics total =
        ComputeStatistics(TtffsOf(results, {}), FailuresOf(results, {}), settings.percentile);
    return std::string(TtffLimitHolds(results, settings) ? "PASS: " : "FAIL: ") +
           PercentileName(settings.percentile) + " " +
           (total.count > 0 ? Seconds(total.percentile) + " s" : "(no results)") + ", limit " +
           Seconds(*settings.limit) + " s";
}

// The short verdict with what else decides it and how sure it is.
std::string VerdictText(const TtffResults& results, const TtffReportSettings& settings) {
    if (!settings.limit) {
        return {};
    }
    const int failures = FailuresOf(results, {});
    std::string text = ShortVerdict(results, settings) + "; failed cycles " +
                       std::to_string(failures) + " (" + std::to_string(settings.maxFailures) +
                       " allowed)";
    if (const int silent = ReceiversWithoutResult(results); silent > 0) {
        text += "; " + std::to_string(silent) + " receiver(s) without a result";
    }
    const WithinLimit w = WithinLimitOf(results, {}, *settings.limit);
    return text + "; within the limit " + std::to_string(w.within) + " of " +
           std::to_string(w.cycles) + " cycles, share at least " + ConfidenceText(w) +
           " (95 % confidence)";
}

std::string OptionalText(const std::optional<double>& value, int decimals, const char* unit,
                         const char* none) {
    return value ? FixedText(*value, decimals) + unit : std::string(none);
}

// What a summary file says of its run: the options orbex-ttff ran with and its own verdict.
std::string RunRows(const TtffRun& run) {
    std::string html = TableRow({"summary", run.source});
    html += TableRow({"start mode", run.mode.empty() ? "-" : run.mode});
    html += TableRow(
        {"cycles asked per receiver",
         run.count ? (*run.count == 0 ? "until stopped" : std::to_string(*run.count)) : "-"});
    html += TableRow({"interval", run.interval ? std::to_string(*run.interval) + " s" : "-"});
    html += TableRow({"limit", OptionalText(run.limit, 2, " s", "none")});
    html += TableRow({"percentile", run.percentile ? PercentileName(*run.percentile) : "-"});
    html +=
        TableRow({"failures allowed", run.maxFailures ? std::to_string(*run.maxFailures) : "-"});
    html += TableRow({"cycle timeout", OptionalText(run.cycleTimeout, 0, " s", "none")});
    std::string ports;
    for (const std::string& port : run.ports) {
        ports += (ports.empty() ? "" : ", ") + port;
    }
    html += TableRow({"ports", ports.empty() ? "-" : ports});
    std::string reference;
    for (std::size_t i = 0; i < run.reference.size(); ++i) {
        reference += (i ? ", " : "") + FixedText(run.reference[i], i < 2 ? 7 : 1);
    }
    html += TableRow({"reference position", reference.empty() ? "none" : reference});
    html += TableRow({"verdict of orbex-ttff", run.verdict.empty() ? "none" : run.verdict});
    html += TableRow({"confidence of orbex-ttff", OptionalText(run.confidence, 4, "", "none")});
    html += TableRow({"complete", run.complete ? "yes" : "no"});
    return html;
}

std::string OptionsSection(const TtffResults& results, const TtffReportSettings& settings) {
    std::string html = "<h2>Series</h2>\n";
    for (const TtffRun& run : results.runs) {
        if (!run.complete) {
            html += "<p class=\"fail incomplete\">" + HtmlEscaped(run.source) +
                    " was written before its series ended (still running, or interrupted): "
                    "its figures cover the cycles up to then.</p>\n";
        }
    }
    for (const TtffRun& run : results.runs) {
        html += "<table class=\"run\">\n" + RunRows(run) + "</table>\n";
    }
    html += "<table>\n";
    for (const std::string& file : results.files) {
        html += TableRow({"results file", file});
    }
    html += TableRow({"receivers", std::to_string(results.receivers.size())});
    html += TableRow({"cycles", std::to_string(results.cycles.size())});
    std::vector<std::string> starts;
    for (const TtffCycle& cycle : results.cycles) {
        if (!cycle.start.empty()) {
            starts.push_back(cycle.start);
        }
    }
    if (!starts.empty()) {
        const auto [first, last] = std::minmax_element(starts.begin(), starts.end());
        html += TableRow({"first cycle started", *first});
        html += TableRow({"last cycle started", *last});
    }
    const bool hot = std::any_of(results.cycles.begin(), results.cycles.end(),
                                 [](const TtffCycle& c) { return c.hot; });
    if (hot) {
        html += TableRow({"start mode", "hot"});
    }
    html += TableRow({"percentile", PercentileName(settings.percentile)});
    html += TableRow({"limit", settings.limit ? Seconds(*settings.limit) + " s" : "none"});
    html += TableRow({"failures allowed", std::to_string(settings.maxFailures)});
    html += "</table>\n";
    if (!results.skipped.empty()) {
        html += "<p>Lines that held no result (" + std::to_string(results.skipped.size()) +
                "):</p>\n<ul>\n";
        for (std::size_t i = 0; i < results.skipped.size() && i < 20; ++i) {
            html += "<li>" + HtmlEscaped(results.skipped[i]) + "</li>\n";
        }
        html += "</ul>\n";
    }
    return html;
}

std::string CyclesSection(const TtffResults& results, bool errors) {
    std::string html = "<h2>Cycles</h2>\n<table class=\"cycles\">\n";
    std::vector<std::string> header = {"receiver", "cycle",     "start (UTC)", "TTFF (s)",
                                       "latitude", "longitude", "altitude (m)"};
    if (errors) {
        header.push_back("error (m)");
    }
    header.push_back("note");
    html += TableRow(header, true);
    for (const TtffCycle& c : results.cycles) {
        std::vector<std::string> cells = {c.receiver, std::to_string(c.cycle), c.start};
        if (c.failed) {
            cells.insert(cells.end(), {"-", "-", "-", "-"});
            if (errors) {
                cells.push_back("-");
            }
            cells.push_back(c.error);
        } else {
            cells.push_back(FixedText(c.ttff, c.milliseconds ? 3 : 0));
            cells.push_back(FixedText(c.lat, 7));
            cells.push_back(FixedText(c.lon, 7));
            cells.push_back(FixedText(c.alt, 1));
            if (errors) {
                cells.push_back(c.errorMetres ? FixedText(*c.errorMetres, 2) : "-");
            }
            cells.push_back(c.hot ? "hot" : "");
        }
        html += TableRow(cells);
    }
    return html + "</table>\n";
}

}  // namespace

TtffReportSettings SettingsFromResults(const TtffResults& results) {
    TtffReportSettings settings;
    settings.percentile = results.percentile.value_or(95);
    for (const TtffRun& run : results.runs) {
        if (run.limit) {
            settings.limit = run.limit;
            settings.percentile = run.percentile.value_or(settings.percentile);
            settings.maxFailures = run.maxFailures.value_or(0);
            break;
        }
    }
    return settings;
}

WithinLimit WithinLimitOf(const TtffResults& results, const std::string& receiver, double limit) {
    WithinLimit w;
    for (const TtffCycle& cycle : results.cycles) {
        if (receiver.empty() || cycle.receiver == receiver) {
            ++w.cycles;
            w.within += !cycle.failed && cycle.ttff <= limit ? 1 : 0;
        }
    }
    return w;
}

bool TtffLimitHolds(const TtffResults& results, const TtffReportSettings& settings) {
    if (!settings.limit) {
        return true;
    }
    const TtffStatistics total =
        ComputeStatistics(TtffsOf(results, {}), FailuresOf(results, {}), settings.percentile);
    return total.count > 0 && total.percentile <= *settings.limit &&
           total.failures <= settings.maxFailures && ReceiversWithoutResult(results) == 0;
}

bool WriteTtffReport(const TtffResults& results, const TtffReportSettings& settings,
                     const std::string& path, std::string& error) {
    return WriteReportFile(path, TtffReportHtml(results, settings), error);
}

std::string TtffReportHtml(const TtffResults& results, const TtffReportSettings& settings) {
    const bool errors = AnyError(results);
    const bool several = results.receivers.size() > 1;
    std::string body = OptionsSection(results, settings);

    const std::string verdict = VerdictText(results, settings);
    if (!verdict.empty()) {
        body += "<p class=\"verdict " +
                std::string(TtffLimitHolds(results, settings) ? "pass" : "fail") + "\">" +
                HtmlEscaped(verdict) + "</p>\n";
    }

    body += "<h2>Statistics (s)</h2>\n<table class=\"statistics\">\n";
    std::vector<std::string> header = {"receiver", "results", "failures",
                                       "mean",     "median",  PercentileName(settings.percentile),
                                       "min",      "max",     "std. dev."};
    if (errors) {
        header.insert(header.end(), {"error median (m)", "error p95 (m)"});
    }
    if (settings.limit) {
        header.insert(header.end(), {"within limit", "share within, 95 % lower bound"});
    }
    body += TableRow(header, true);
    for (const std::string& receiver : results.receivers) {
        body += StatisticsRow(results, receiver, receiver, settings, errors);
    }
    if (several || results.receivers.empty()) {
        body += StatisticsRow(results, {}, "all", settings, errors);
    }
    body += "</table>\n";

    body += "<h2>Pictures</h2>\n<div class=\"charts\">\n";
    std::vector<CdfSeries> cdf;
    for (const std::string& receiver : results.receivers) {
        body += HistogramSvg(TtffsOf(results, receiver), "histogram: " + receiver);
        cdf.push_back({receiver, TtffsOf(results, receiver)});
    }
    if (several) {
        body += HistogramSvg(TtffsOf(results, {}), "histogram: all");
    }
    body += CdfSvg(cdf, settings.limit, settings.percentile, ShortVerdict(results, settings));
    body += "</div>\n";

    body += CyclesSection(results, errors);
    return HtmlPage(settings.title, body);
}

}  // namespace orbex
