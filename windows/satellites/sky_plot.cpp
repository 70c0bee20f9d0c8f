#include "windows/satellites/sky_plot.h"

#include <QFontMetrics>
#include <cmath>

#include "gui/monitor_font.h"
#include "windows/common/monitor_colours.h"
#include "windows/satellites/satellite_symbols.h"

namespace orbex {
namespace {

constexpr double kPi = 3.1415926535898;

}  // namespace

CSkyPlot::CSkyPlot(QWidget* parent)
    : PaintedChild(QStringLiteral("skyplot"), parent),
      font_(CellHeightFont(QStringLiteral("Times New Roman"), 16)) {
    // Every paint covers the whole plot: the window's background need not be drawn under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QFontMetrics fm(font_);
    charWidth_ = fm.averageCharWidth();
    charHeight_ = fm.height();
    for (SkyChannel& channel : channels_) {
        channel.symbol = kNoSymbol;
    }
    // The satellite symbols are drawn once for every plot; drawing them now, as the window
    // opens, keeps that out of the paint that answers the first received line.
    SymbolImage(kNoSymbol);
}

void CSkyPlot::SetSatellites(RecordFamily family, int channelCount,
                             const std::array<SkyChannel, kChannelCount>& channels,
                             const SkyPlotTexts& texts) {
    family_ = family;
    channelCount_ = channelCount;
    channels_ = channels;
    texts_ = texts;
    RepaintChanged();
}

QPoint CSkyPlot::SymbolCorner(QPoint p) const {
    return QPoint(width() / 2 + p.x() - kSymbolSize / 2, height() / 2 - p.y() - kSymbolSize / 2);
}

bool CSkyPlot::Draws(RecordFamily family, int symbol) {
    const int set = SymbolSet(symbol);
    if (family == RecordFamily::Native) {
        // Unlocked channels and channels without a satellite are not drawn.
        return set != 0 && set != kUnlockedSet;
    }
    if (family == RecordFamily::Nmea) {
        // Only satellites above the horizon: used in the fix or not.
        return set == kDecodingSet || set == kTrackedSet;
    }
    return false;
}

void CSkyPlot::Paint(DrawSurface& surface) {
    // The circles, axes and letters, and the native records' legend, change only with the
    // plot's size and the record family.
    const bool legend = family_ == RecordFamily::Native;
    surface.Layer(frame_, size(), legend ? 1 : 0, [this, legend](DrawSurface& layer) {
        layer.Fill(rect(), Qt::black);
        layer.SetFont(font_);
        PaintFrame(layer);
        if (legend) {
            PaintLegend(layer);
        }
    });
    surface.SetFont(font_);
    const int count = family_ == RecordFamily::Native ? channelCount_ : kChannelCount;
    for (int i = 0; i < count && i < kChannelCount; ++i) {
        const SkyChannel& channel = channels_[i];
        if (Draws(family_, channel.symbol)) {
            surface.Bitmap(SymbolCorner(channel.position), SymbolImage(channel.symbol));
        }
    }
    PaintTexts(surface);
}

void CSkyPlot::PaintFrame(DrawSurface& surface) {
    const int w = width();
    const int h = height();
    const QPoint centre(w / 2, h / 2);
    for (int e = 0; e <= 90; e += 10) {
        const int r = static_cast<int>(std::trunc(kPlotRadius * std::cos(e * kPi / 180.0)));
        surface.Ellipse(QRect(centre.x() - r, centre.y() - r, 2 * r, 2 * r), kMagenta, NoColor());
    }
    surface.Line(QPoint(w / 2, 10), QPoint(w / 2, h - 10), kMagenta);
    surface.Line(QPoint(10, h / 2), QPoint(w - 10, h / 2), kMagenta);
    surface.TextOut(w / 2 + 4, 4, QStringLiteral("N"), kWhite, NoColor());
    surface.TextOut(w / 2 + 4, h - charHeight_ - 4, QStringLiteral("S"), kWhite, NoColor());
    surface.TextOut(4, h / 2 + 4, QStringLiteral("W"), kWhite, NoColor());
    surface.TextOut(w - charWidth_ - 4, h / 2 + 4, QStringLiteral("E"), kWhite, NoColor());
}

void CSkyPlot::PaintLegend(DrawSurface& surface) {
    const struct {
        int image;
        const char* text;
    } kLegend[] = {
        {kLegendDecode, "..DECODE"}, {kNoSymbol, "..UNLOCK"}, {kLegendBelowHorizon, "..-ELV"}};
    int y = 4;
    for (const auto& entry : kLegend) {
        surface.Bitmap(QPoint(4, y), SymbolImage(entry.image));
        surface.TextOut(20, y, QString::fromLatin1(entry.text), kWhite, NoColor());
        y += charHeight_ + 2;
    }
}

void CSkyPlot::PaintTexts(DrawSurface& surface) {
    int y = 4;
    for (const QString& text : {texts_.time, texts_.dop}) {
        if (!text.isEmpty()) {
            const int x = width() - surface.TextExtent(text).width() - 4;
            surface.TextOut(x, y, text, kWhite, NoColor());
        }
        y += charHeight_ + 2;
    }
}

}  // namespace orbex
