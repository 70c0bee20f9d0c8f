#include "windows/satellites/satellite_symbols.h"

#include <QFont>
#include <QPainter>
#include <array>
#include <vector>

namespace orbex {
namespace {

struct SymbolStyle {
    int setBase;
    QColor ring;
    QColor disc;  // invalid: hollow
    QColor number;
};

const std::array<SymbolStyle, 5>& Styles() {
    static const std::array<SymbolStyle, 5> kStyles = {{
        {kBelowHorizonSet, QColor(160, 160, 160), QColor(), QColor(200, 200, 200)},
        {kOnHorizonSet, QColor(70, 70, 70), QColor(), QColor(90, 90, 90)},
        {kDecodingSet, QColor(255, 255, 0), QColor(255, 255, 0), QColor(0, 0, 0)},
        {kTrackedSet, QColor(0, 255, 0), QColor(), QColor(0, 255, 0)},
        {kUnlockedSet, QColor(150, 0, 0), QColor(), QColor(255, 60, 60)},
    }};
    return kStyles;
}

QImage DrawSymbol(const SymbolStyle& style, const QString& label) {
    QImage image(kSymbolSize, kSymbolSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(style.ring, 1.2));
    painter.setBrush(style.disc.isValid() ? QBrush(style.disc) : QBrush(Qt::black));
    painter.drawEllipse(QRectF(0.8, 0.8, kSymbolSize - 1.6, kSymbolSize - 1.6));
    if (!label.isEmpty()) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(label.size() > 1 ? 9 : 10);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(style.number);
        painter.drawText(QRect(0, 0, kSymbolSize, kSymbolSize), Qt::AlignCenter, label);
    }
    return image;
}

// All images by id, from the first set base to the last legend id.
class SymbolImages {
  public:
    SymbolImages() : images_(kNoSymbol - kBelowHorizonSet + 1) {
        for (const SymbolStyle& style : Styles()) {
            for (int n = 1; n <= kSatellitesPerSet; ++n) {
                At(style.setBase + n - 1) = DrawSymbol(style, QString::number(n));
            }
        }
        At(kLegendDecode) = DrawSymbol(Styles()[2], QString());
        At(kLegendBelowHorizon) = DrawSymbol(Styles()[0], QString());
        At(kNoSymbol) = DrawSymbol(Styles()[3], QString());
    }

    const QImage& Get(int id) const {
        static const QImage kNone;
        if (id < kBelowHorizonSet || id > kNoSymbol) {
            return kNone;
        }
        return images_[id - kBelowHorizonSet];
    }

  private:
    QImage& At(int id) { return images_[id - kBelowHorizonSet]; }

    std::vector<QImage> images_;
};

}  // namespace

int SymbolId(int setBase, int number) {
    if (number < 1 || number > kSatellitesPerSet) {
        return kNoSymbol;
    }
    return setBase + number - 1;
}

int SymbolSet(int id) {
    if (id < kBelowHorizonSet || id >= kUnlockedSet + kSatellitesPerSet) {
        return 0;
    }
    return kBelowHorizonSet + (id - kBelowHorizonSet) / kSatellitesPerSet * kSatellitesPerSet;
}

const QImage& SymbolImage(int id) {
    // Drawn once, on the user-interface thread, when the first sky plot paints.
    static const SymbolImages kImages;
    return kImages.Get(id);
}

}  // namespace orbex
