#include "cli/orbex_report/ttff_report.h"

#include <algorithm>
#include <vector>

#include "cli/orbex_report/html_page.h"
#include "cli/orbex_report/svg_chart.h"
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

std::string StatisticsRow(const TtffResults& results, const std::string& receiver,
                          const std::string& name, double percentile, bool errors) {
    const TtffStatistics s =
        ComputeStatistics(TtffsOf(results, receiver), FailuresOf(results, receiver), percentile);
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
    return row + "</tr>\n";
}

std::string VerdictText(const TtffResults& results, const TtffReportSettings& settings) {
    if (!settings.limit) {
        return {};
    }
    const TtffStatistics total =
        ComputeStatistics(TtffsOf(results, {}), FailuresOf(results, {}), settings.percentile);
    const std::string judged =
        PercentileName(settings.percentile) + " " +
        (total.count > 0 ? Seconds(total.percentile) + " s" : "(no results)");
    return (TtffLimitHolds(results, settings) ? "PASS: " : "FAIL: ") + judged + ", limit " +
           Seconds(*settings.limit) + " s";
}

std::string OptionsSection(const TtffResults& results, const TtffReportSettings& settings) {
    std::string html = "<h2>Series</h2>\n<table>\n";
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

bool TtffLimitHolds(const TtffResults& results, const TtffReportSettings& settings) {
    if (!settings.limit) {
        return true;
    }
    const TtffStatistics total =
        ComputeStatistics(TtffsOf(results, {}), FailuresOf(results, {}), settings.percentile);
    return total.count > 0 && total.percentile <= *settings.limit;
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
    body += TableRow(header, true);
    for (const std::string& receiver : results.receivers) {
        body += StatisticsRow(results, receiver, receiver, settings.percentile, errors);
    }
    if (several || results.receivers.empty()) {
        body += StatisticsRow(results, {}, "all", settings.percentile, errors);
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
    body += CdfSvg(cdf, settings.limit, settings.percentile, verdict);
    body += "</div>\n";

    body += CyclesSection(results, errors);
    return HtmlPage(settings.title, body);
}

}  // namespace orbex
