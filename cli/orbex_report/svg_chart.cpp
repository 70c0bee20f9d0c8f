#include "cli/orbex_report/svg_chart.h"

#include <algorithm>
#include <cmath>

#include "cli/orbex_report/html_page.h"

namespace orbex {

namespace {

constexpr double kWidth = 520;
constexpr double kHeight = 260;
constexpr double kLeft = 48;  // room for the value axis' labels
constexpr double kRight = 16;
constexpr double kTop = 28;  // room for the title
constexpr double kBottom = 36;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kPlotHeight = kHeight - kTop - kBottom;

constexpr const char* kColours[] = {"#1f5fbf", "#d2691e", "#2e8b57", "#8b3a9b", "#b8860b"};

std::string N(double value) {
    return FixedText(value, 1, "0");
}

std::string Open(double width, double height) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + N(width) + "\" height=\"" +
           N(height) + "\" viewBox=\"0 0 " + N(width) + " " + N(height) + "\">\n";
}

std::string Text(double x, double y, const std::string& text, const char* anchor = "middle",
                 const std::string& extra = {}) {
    return "<text x=\"" + N(x) + "\" y=\"" + N(y) + "\" text-anchor=\"" + anchor + "\"" + extra +
           ">" + HtmlEscaped(text) + "</text>\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& style) {
    return "<line x1=\"" + N(x1) + "\" y1=\"" + N(y1) + "\" x2=\"" + N(x2) + "\" y2=\"" + N(y2) +
           "\" " + style + "/>\n";
}

// A round step (1, 2 or 5 times a power of ten) that splits `span` into at most `most` parts.
double NiceStep(double span, int most) {
    const double raw = std::max(span / most, 1e-9);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw) {
            return factor * power;
        }
    }
    return 10 * power;
}

std::string Frame(const std::string& title, const std::string& xName, const std::string& yName) {
    std::string svg = Text(kWidth / 2, 17, title, "middle", " font-weight=\"bold\"");
    svg += "<rect x=\"" + N(kLeft) + "\" y=\"" + N(kTop) + "\" width=\"" + N(kPlotWidth) +
           "\" height=\"" + N(kPlotHeight) + "\" fill=\"none\" stroke=\"#888\"/>\n";
    svg += Text(kLeft + kPlotWidth / 2, kHeight - 4, xName);
    svg += Text(12, kTop + kPlotHeight / 2, yName, "middle",
                " transform=\"rotate(-90 12 " + N(kTop + kPlotHeight / 2) + ")\"");
    return svg;
}

}  // namespace

std::string HistogramSvg(const std::vector<double>& seconds, const std::string& title) {
    std::string svg = Open(kWidth, kHeight);
    svg += Frame(title, "time to first fix (s), 1 s bins", "cycles");
    if (seconds.empty()) {
        return svg + Text(kLeft + kPlotWidth / 2, kTop + kPlotHeight / 2, "no results") +
               "</svg>\n";
    }
    const auto [low, high] = std::minmax_element(seconds.begin(), seconds.end());
    const long first = static_cast<long>(std::floor(*low));
    const long bins = static_cast<long>(std::floor(*high)) - first + 1;
    std::vector<int> counts(static_cast<std::size_t>(bins), 0);
    for (double s : seconds) {
        ++counts[static_cast<std::size_t>(static_cast<long>(std::floor(s)) - first)];
    }
    const int most = *std::max_element(counts.begin(), counts.end());
    const double yStep = std::max(1.0, std::ceil(NiceStep(most, 5)));
    const double yTop = std::ceil(most / yStep) * yStep;
    for (double v = 0; v <= yTop + 1e-9; v += yStep) {
        const double y = kTop + kPlotHeight - v / yTop * kPlotHeight;
        svg += Line(kLeft - 4, y, kLeft, y, "stroke=\"#888\"");
        svg += Text(kLeft - 6, y + 4, FixedText(v, 0), "end");
    }
    const double barWidth = kPlotWidth / static_cast<double>(bins);
    const long labelEvery =
        std::max(1L, static_cast<long>(NiceStep(static_cast<double>(bins), 10)));
    for (long i = 0; i < bins; ++i) {
        const int count = counts[static_cast<std::size_t>(i)];
        const double height = count / yTop * kPlotHeight;
        const double x = kLeft + barWidth * static_cast<double>(i);
        svg += "<rect class=\"bar\" data-bin=\"" + std::to_string(first + i) + "\" data-count=\"" +
               std::to_string(count) + "\" x=\"" + N(x + barWidth * 0.08) + "\" y=\"" +
               N(kTop + kPlotHeight - height) + "\" width=\"" + N(barWidth * 0.84) +
               "\" height=\"" + N(height) + "\" fill=\"" + kColours[0] + "\"><title>" +
               std::to_string(first + i) + " s: " + std::to_string(count) + "</title></rect>\n";
        if ((first + i) % labelEvery == 0) {
            svg += Text(x + barWidth / 2, kTop + kPlotHeight + 14, std::to_string(first + i));
        }
    }
    return svg + "</svg>\n";
}

std::string CdfSvg(const std::vector<CdfSeries>& series, std::optional<double> limit,
                   double percentile, const std::string& verdict) {
    std::string svg = Open(kWidth, kHeight);
    svg += Frame("cumulative distribution", "time to first fix (s)", "share of results (%)");
    double high = limit.value_or(0);
    double low = limit.value_or(1e300);
    for (const CdfSeries& s : series) {
        for (double v : s.seconds) {
            high = std::max(high, v);
            low = std::min(low, v);
        }
    }
    if (low > high) {
        return svg + Text(kLeft + kPlotWidth / 2, kTop + kPlotHeight / 2, "no results") +
               "</svg>\n";
    }
    const double xStep = NiceStep(std::max(high - low, 1.0), 8);
    const double x0 = std::floor(low / xStep) * xStep;
    const double x1 = std::max(std::ceil(high / xStep) * xStep, x0 + xStep);
    auto X = [&](double v) { return kLeft + (v - x0) / (x1 - x0) * kPlotWidth; };
    auto Y = [&](double share) { return kTop + kPlotHeight - share * kPlotHeight; };
    for (double v = x0; v <= x1 + 1e-9; v += xStep) {
        svg += Line(X(v), Y(0), X(v), Y(0) + 4, "stroke=\"#888\"");
        svg += Text(X(v), Y(0) + 15, FixedText(v, xStep < 1 ? 1 : 0));
    }
    for (int p = 0; p <= 100; p += 25) {
        svg += Line(kLeft, Y(p / 100.0), kLeft + kPlotWidth, Y(p / 100.0), "stroke=\"#e4e4e4\"");
        svg += Text(kLeft - 6, Y(p / 100.0) + 4, std::to_string(p), "end");
    }
    std::size_t index = 0;
    for (const CdfSeries& s : series) {
        std::vector<double> sorted = s.seconds;
        std::sort(sorted.begin(), sorted.end());
        const char* colour = kColours[index % std::size(kColours)];
        if (!sorted.empty()) {
            const double n = static_cast<double>(sorted.size());
            std::string points = N(X(sorted.front())) + "," + N(Y(0));
            for (std::size_t i = 0; i < sorted.size(); ++i) {
                points += " " + N(X(sorted[i])) + "," + N(Y(static_cast<double>(i) / n)) + " " +
                          N(X(sorted[i])) + "," + N(Y(static_cast<double>(i + 1) / n));
            }
            points += " " + N(X(x1)) + "," + N(Y(1));
            svg += "<polyline class=\"cdf\" fill=\"none\" stroke=\"" + std::string(colour) +
                   "\" stroke-width=\"2\" points=\"" + points + "\"/>\n";
        }
        const double legendY = kTop + 16 + 14 * static_cast<double>(index);
        svg += Line(kLeft + 10, legendY - 4, kLeft + 28, legendY - 4,
                    "stroke=\"" + std::string(colour) + "\" stroke-width=\"2\"");
        svg += Text(kLeft + 32, legendY, s.name, "start");
        ++index;
    }
    if (limit) {
        svg += Line(X(*limit), Y(0), X(*limit), Y(1),
                    "class=\"limit\" stroke=\"#b01515\" stroke-dasharray=\"5,3\"");
        svg += Line(kLeft, Y(percentile / 100), kLeft + kPlotWidth, Y(percentile / 100),
                    "stroke=\"#b01515\" stroke-dasharray=\"2,3\"");
        // The verdict in the page's pass or fail colour.
        const char* fill = verdict.rfind("PASS", 0) == 0 ? "#176b1d" : "#b01515";
        svg += Text(X(*limit) - 4, Y(0) - 8, verdict, "end",
                    std::string(" fill=\"") + fill + "\" font-weight=\"bold\"");
    }
    return svg + "</svg>\n";
}

std::string ScatterSvg(const std::vector<LocalOffset>& offsets, double cep50, double cep95) {
    constexpr double kSide = 420;
    constexpr double kMargin = 34;
    constexpr double kPlot = kSide - 2 * kMargin;
    double reach = std::max(cep95, 0.5);
    for (const LocalOffset& o : offsets) {
        reach = std::max({reach, std::fabs(o.north), std::fabs(o.east)});
    }
    const double step = NiceStep(reach, 3);
    reach = std::ceil(reach * 1.05 / step) * step;
    const double centre = kMargin + kPlot / 2;
    auto S = [&](double metres) { return metres / reach * (kPlot / 2); };
    std::string svg = Open(kSide, kSide);
    svg += Text(kSide / 2, 17, "fixes about the reference (east right, north up)", "middle",
                " font-weight=\"bold\"");
    svg += "<rect x=\"" + N(kMargin) + "\" y=\"" + N(kMargin) + "\" width=\"" + N(kPlot) +
           "\" height=\"" + N(kPlot) + "\" fill=\"none\" stroke=\"#888\"/>\n";
    for (double v = -reach; v <= reach + 1e-9; v += step) {
        const std::string label = FixedText(v, step < 1 ? 1 : 0);
        svg += Line(centre + S(v), kMargin, centre + S(v), kMargin + kPlot, "stroke=\"#eee\"");
        svg += Line(kMargin, centre - S(v), kMargin + kPlot, centre - S(v), "stroke=\"#eee\"");
        svg += Text(centre + S(v), kMargin + kPlot + 14, label);
        svg += Text(kMargin - 4, centre - S(v) + 4, label, "end");
    }
    svg += Text(kSide / 2, kSide - 4, "metres");
    for (const LocalOffset& o : offsets) {
        svg += "<circle class=\"fix\" cx=\"" + N(centre + S(o.east)) + "\" cy=\"" +
               N(centre - S(o.north)) + "\" r=\"1.8\" fill=\"#1f5fbf\" fill-opacity=\"0.55\"/>\n";
    }
    struct Circle {
        const char* name;
        double radius;
        const char* colour;
    };
    const Circle circles[] = {{"CEP50", cep50, "#2e8b57"}, {"CEP95", cep95, "#b01515"}};
    for (const auto& [name, radius, colour] : circles) {
        svg += "<circle class=\"cep\" data-name=\"" + std::string(name) + "\" data-radius=\"" +
               FixedText(radius, 3) + "\" cx=\"" + N(centre) + "\" cy=\"" + N(centre) + "\" r=\"" +
               N(S(radius)) + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"1.5\"/>\n";
        svg += Text(centre + S(radius) * 0.71 + 3, centre - S(radius) * 0.71 - 3,
                    std::string(name) + " " + FixedText(radius, 2) + " m", "start",
                    std::string(" fill=\"") + colour + "\"");
    }
    svg += Line(centre - 5, centre, centre + 5, centre, "stroke=\"#000\"");
    svg += Line(centre, centre - 5, centre, centre + 5, "stroke=\"#000\"");
    return svg + "</svg>\n";
}

}  // namespace orbex
