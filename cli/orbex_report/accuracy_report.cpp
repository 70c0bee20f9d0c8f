#include "cli/orbex_report/accuracy_report.h"

#include "cli/orbex_report/html_page.h"
#include "cli/orbex_report/svg_chart.h"
#include "decode/accuracy_statistics.h"

namespace orbex {

namespace {

std::string Metres(double value) {
    return FixedText(value, 3);
}

std::string Position(const GeoPoint& point) {
    return FixedText(point.latDegrees, 9) + " " + FixedText(point.lonDegrees, 9) + " " +
           FixedText(point.altitude, 3);
}

std::string FigureRow(const char* figure, const std::string& name, const std::string& value) {
    return "<tr><td>" + HtmlEscaped(name) + "</td><td data-figure=\"" + figure + "\">" +
           HtmlEscaped(value) + "</td></tr>\n";
}

std::string RecordingSection(const RecordingPoints& recording, std::optional<GeoPoint> reference) {
    std::string html = "<h2>" + HtmlEscaped(recording.name) + "</h2>\n";
    if (!recording.problem.empty()) {
        html += "<p class=\"fail\">" + HtmlEscaped(recording.problem) + "</p>\n";
    }
    const auto stats = ComputeAccuracyStatistics(recording.fixes, reference);
    if (!stats) {
        return html + "<p>No fixes in " + std::to_string(recording.lines) + " lines.</p>\n";
    }
    std::vector<LocalOffset> offsets;
    offsets.reserve(recording.fixes.size());
    for (const GeoPoint& fix : recording.fixes) {
        offsets.push_back(OffsetFrom(stats->reference, fix));
    }
    html += "<div class=\"charts\">\n" + ScatterSvg(offsets, stats->cep50, stats->cep95);
    html += "<div>\n<h3>Shares within</h3>\n<table class=\"within\">\n";
    html += TableRow({"radius (m)", "share (%)"}, true);
    static constexpr const char* kWithinFigures[] = {"within_1", "within_2", "within_5",
                                                     "within_10"};
    for (std::size_t i = 0; i < stats->within.size(); ++i) {
        html += FigureRow(kWithinFigures[i], FixedText(AccuracyStatistics::kWithinRadii[i], 0),
                          FixedText(stats->within[i] * 100.0, 1));
    }
    html += "</table>\n<h3>Figures</h3>\n<table class=\"figures\">\n";
    html += FigureRow("fixes", "fixes", std::to_string(stats->fixes));
    html += FigureRow("mean", "mean (lat lon alt)", Position(stats->mean));
    html += FigureRow("reference", reference ? "reference (given)" : "reference (the mean)",
                      Position(stats->reference));
    html += FigureRow("sigma_north", "sigma north (m)", Metres(stats->sigmaNorth));
    html += FigureRow("sigma_east", "sigma east (m)", Metres(stats->sigmaEast));
    html += FigureRow("sigma_up", "sigma up (m)", Metres(stats->sigmaUp));
    html += FigureRow("cep50", "CEP50 (m)", Metres(stats->cep50));
    html += FigureRow("cep95", "CEP95 (m)", Metres(stats->cep95));
    html += FigureRow("2drms", "2DRMS (m)", Metres(stats->twoDrms));
    return html + "</table>\n</div>\n</div>\n";
}

}  // namespace

std::string AccuracyReportHtml(const std::vector<RecordingPoints>& recordings,
                               std::optional<GeoPoint> reference, const std::string& title) {
    std::string body;
    if (reference) {
        body += "<p>Offsets about the reference " + HtmlEscaped(Position(*reference)) +
                " (latitude, longitude in degrees; altitude in metres).</p>\n";
    } else {
        body += "<p>Offsets about each recording's mean position.</p>\n";
    }
    for (const RecordingPoints& recording : recordings) {
        body += RecordingSection(recording, reference);
    }
    return HtmlPage(title, body);
}

}  // namespace orbex
