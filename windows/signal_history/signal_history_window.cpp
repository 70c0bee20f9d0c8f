#include "windows/signal_history/signal_history_window.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "gui/monitor_font.h"
#include "windows/common/monitor_colours.h"

namespace orbex {
namespace {

// One colour per satellite number, bright on black, so a satellite keeps its colour.
QColor TrackColour(int prn) {
    static const QColor kColours[] = {{0xFF, 0x50, 0x50}, {0x50, 0xFF, 0x50}, {0x60, 0x90, 0xFF},
                                      {0xFF, 0xFF, 0x40}, {0x40, 0xFF, 0xFF}, {0xFF, 0x60, 0xFF},
                                      {0xFF, 0xA0, 0x30}, {0xB0, 0xFF, 0x90}, {0xC0, 0xA0, 0xFF},
                                      {0xFF, 0xC0, 0xC0}};
    return kColours[static_cast<std::size_t>(prn) % std::size(kColours)];
}

constexpr int kLeft = 44;    // value labels
constexpr int kRight = 40;   // satellite numbers at the lines' ends
constexpr int kTop = 40;     // the scale's name
constexpr int kBottom = 30;  // the time labels
constexpr int kMinutes = 10;
constexpr int kLabelSpacing = 13;  // pixels between satellite numbers

}  // namespace

CSignalHistoryWnd::CSignalHistoryWnd(const QString& title, QWidget* parent)
    : CMonitorWnd(kSignalHistoryKind, title, parent), textFont_(MonitorFont(14)) {
    resize(640, 400);
}

void CSignalHistoryWnd::OnReceiverRecord(const ReceiverState& record) {
    if (history_.Update(record)) {
        update();
    }
}

QRect CSignalHistoryWnd::PlotArea() const {
    return QRect(kLeft, kTop, std::max(60, width() - kLeft - kRight),
                 std::max(40, height() - kTop - kBottom));
}

void CSignalHistoryWnd::Paint(DrawSurface& surface) {
    surface.Fill(rect(), kBlack);
    surface.SetFont(textFont_);
    const QRect area = PlotArea();
    switch (history_.scale()) {
        case SignalScale::None:
            surface.TextOut(8, 8, QStringLiteral("Waiting for $GPGSV or native records"), kWhite,
                            kBlack);
            return;
        case SignalScale::DbHz:
            surface.TextOut(8, 8, QStringLiteral("C/N0 (dB-Hz) from $GPGSV, last 10 min"), kWhite,
                            kBlack);
            break;
        case SignalScale::LevelCode:
            surface.TextOut(
                8, 8, QStringLiteral("Level code of the native records (not dB-Hz), last 10 min"),
                kWhite, kBlack);
            break;
    }
    // dB-Hz on 0..60 (to 99 when a receiver reports more); level codes on 0 to the highest
    // level seen, in steps of five, at least 0..10.
    const int highest = history_.highest();
    const int top = history_.scale() == SignalScale::DbHz ? (highest > 60 ? 99 : 60)
                                                          : std::max(10, (highest + 4) / 5 * 5);
    PaintAxes(surface, area, top);
    PaintTracks(surface, area, top);
}

void CSignalHistoryWnd::PaintAxes(DrawSurface& surface, const QRect& area, int top) {
    const int step = history_.scale() == SignalScale::DbHz ? 10 : 5;
    for (int v = 0; v <= top; v += step) {
        const int y = area.bottom() - v * area.height() / top;
        surface.Line({area.left(), y}, {area.right(), y}, kGridGrey);
        surface.TextInRect(QRect(0, y - 8, kLeft - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                           QString::number(v), kAxisGrey, NoColor());
    }
    for (int m = 0; m <= kMinutes; ++m) {
        const int x = area.left() + m * area.width() / kMinutes;
        surface.Line({x, area.top()}, {x, area.bottom()}, kGridGrey);
        const QString label =
            m == kMinutes ? QStringLiteral("now") : QStringLiteral("-%1").arg(kMinutes - m);
        surface.TextInRect(QRect(x - 20, area.bottom() + 4, 40, 16), Qt::AlignHCenter, label,
                           kAxisGrey, NoColor());
    }
    surface.Rectangle(area, kAxisGrey, NoColor());
}

void CSignalHistoryWnd::PaintTracks(DrawSurface& surface, const QRect& area, int top) {
    const double now = history_.now();
    const auto pixel = [&](const SignalSample& s) {
        const double age = std::clamp(now - s.time, 0.0, SignalHistory::kSpanSeconds);
        const int x =
            area.right() -
            static_cast<int>(std::lround(age * area.width() / SignalHistory::kSpanSeconds));
        const int y = area.bottom() - std::min(s.value, top) * area.height() / top;
        return QPoint(x, y);
    };
    struct Label {
        int x, y, prn;
        QColor colour;
    };
    std::vector<Label> labels;
    for (const auto& [prn, track] : history_.tracks()) {
        const QColor colour = TrackColour(prn);
        const int width = track.used ? 3 : 1;
        const auto& samples = track.samples;
        const auto joined = [&samples](std::size_t i) {  // sample i joins sample i - 1
            return i > 0 && i < samples.size() &&
                   samples[i].time - samples[i - 1].time <= SignalHistory::kGapSeconds;
        };
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (joined(i)) {
                surface.Line(pixel(samples[i - 1]), pixel(samples[i]), colour, width);
            } else if (!joined(i + 1)) {
                surface.Line(pixel(samples[i]), pixel(samples[i]), colour, width);  // a lone sample
            }
        }
        const QPoint end = pixel(track.samples.back());
        labels.push_back({end.x() + 4, end.y() - 8, prn, colour});
    }
    // The numbers go top to bottom, each at least a line below the one above, so satellites
    // of equal strength stay readable.
    std::sort(labels.begin(), labels.end(),
              [](const Label& a, const Label& b) { return a.y < b.y; });
    int below = area.top() - 16;
    for (Label& label : labels) {
        label.y = std::max(label.y, below);
        below = label.y + kLabelSpacing;
        surface.TextOut(label.x, label.y, QString::number(label.prn), label.colour, NoColor());
    }
}

}  // namespace orbex
