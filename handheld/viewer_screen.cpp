#include "handheld/viewer_screen.h"

#include <algorithm>
#include <cmath>

#include "handheld/nmea_fields.h"
#include "handheld/viewer_texts.h"

namespace orbexce {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
// The system colours the viewer draws its texts in.
const QColor kStaticText = kBlack;
const QColor kHighlightText = kWhite;
const QColor kStaticBackground = kWhite;

// Where each text goes: left, top, right, bottom.
const QRect kDateBox = Box(5, 57, 120, 70);
const QRect kTimeBox = Box(5, 70, 120, 83);
const QRect kModeBox = Box(5, 83, 85, 96);
const QRect kSpeedBox = Box(5, 96, 120, 109);
const QRect kCourseBox = Box(5, 109, 100, 150);
const QRect kPdopBox = Box(5, 122, 85, 135);
const QRect kHdopBox = Box(5, 135, 85, 148);
const QRect kSecondsBox = Box(85, 135, 150, 150);
const QRect kAltitudeBox = Box(5, 155, 150, 170);
const QRect kLatitudeLabelBox = Box(5, 168, 70, 180);
const QRect kLatitudeBox = Box(70, 168, 180, 180);
const QRect kLongitudeLabelBox = Box(5, 180, 70, 195);
const QRect kLongitudeBox = Box(70, 180, 180, 195);

const QRect kLiveBoxes[] = {
    kDateBox, kTimeBox,    kModeBox,     kSpeedBox,    kCourseBox,    kPdopBox,
    kHdopBox, kSecondsBox, kAltitudeBox, kLatitudeBox, kLongitudeBox,
};

struct PlacedText {
    const char* text;
    QRect rect;
};

// The static screen's texts (some of their rectangles differ slightly from the live ones).
const PlacedText kStaticTexts[] = {
    {"Date                      ", Box(5, 57, 120, 70)},
    {"Time                     ", Box(5, 70, 120, 83)},
    {"Mode  None       ", Box(5, 83, 85, 96)},
    {"Speed                ", Box(5, 96, 100, 109)},
    {"Course            ", Box(5, 109, 85, 122)},
    {"PDOP  0.0    ", Box(5, 122, 90, 135)},
    {"HDOP  0.0    ", Box(5, 135, 90, 148)},
    {"00000s", Box(85, 135, 150, 150)},
    {"Altitude                 ", Box(5, 155, 120, 168)},
    {"Latitude", Box(5, 168, 70, 180)},
    {"00\u00B000'00.00     ", Box(70, 168, 180, 180)},
    {"Longitude", Box(5, 180, 70, 195)},
    {"000\u00B000'00.00     ", Box(70, 180, 180, 195)},
};

struct ModeText {
    int fixMode;
    const char* text;
};

const ModeText kModeTexts[] = {
    {1, "Mode  None  "},
    {2, "Mode  2D     "},
    {3, "Mode  3D     "},
};

// The sky plot: composed at the memory surface's origin and shown at (120, 45).
const QRect kSkyArea = Box(0, 0, 110, 100);
const QPoint kSkyOnScreen(120, 45);
// The signal bars: composed from y 195 of the memory surface and shown at (0, 200).
const QRect kBarsArea = Box(0, 195, 240, 285);
const QPoint kBarsOnScreen(0, 200);
constexpr int kBarBase = 250;
constexpr int kMaxBars = 13;
constexpr int kSnrBand = 15;
constexpr double kRadiansPerDegree = 0.017453311111111112;  // 3.141596 / 180

// A letter field shown with "%c": a missing letter shows as a blank rather than ending the
// text there.
QChar LetterOf(char letter) {
    return letter == '\0' ? QLatin1Char(' ') : QChar::fromLatin1(letter);
}

}  // namespace

void ViewerScreen::Write(const QRect& rect, const QString& text) {
    drawing_->Text(Plane::Screen, rect, text, kStaticText, kStaticBackground);
}

void ViewerScreen::WriteLive(const QRect& rect, const QString& text) {
    // A live text replaces what stood there before, place-holder included: its line is
    // blanked across the rectangle first, so a shorter value leaves no digits of a longer
    // one behind (the rest of a tall rectangle is left to the texts below).
    const int line = std::min(rect.height(), drawing_->TextExtent(text).height());
    Blank(QRect(rect.left(), rect.top(), rect.width(), line));
    Write(rect, text);
}

void ViewerScreen::Blank(const QRect& rect) {
    drawing_->Fill(Plane::Screen, rect, kStaticBackground);
}

void ViewerScreen::PaintStatic() {
    // The live texts' rectangles reach further than the static ones (Speed, Course, Altitude):
    // they are cleared first, so that no piece of a value is left beside its place-holder.
    for (const QRect& live : kLiveBoxes) {
        Blank(live);
    }
    drawing_->Fill(Plane::Screen, Box(5, 151, 240, 154), kBlue);
    drawing_->Fill(Plane::Screen, Box(5, 195, 240, 198), kBlue);
    DrawSkyFrame();
    drawing_->CopyToScreen(kSkyArea, kSkyOnScreen);
    for (int k = 0; k <= 10; ++k) {
        drawing_->Rectangle(Plane::Screen, Box(3 + 20 * k, 210, 20 + 20 * k, 270), kBlack, kWhite);
    }
    for (const PlacedText& placed : kStaticTexts) {
        Write(placed.rect, QString::fromUtf8(placed.text));
    }
}

void ViewerScreen::PaintAltitude(const NmeaRecord& record) {
    WriteLive(kAltitudeBox, QString::asprintf("Altitude     %4.2f  ", record.height));
}

void ViewerScreen::PaintSolution(const NmeaRecord& record, const QString& secondsText) {
    Write(kLatitudeLabelBox, QStringLiteral("Latitude"));
    WriteLive(kLatitudeBox, LetterOf(record.rmcPosition.latitudeLetter) + QLatin1Char(' ') +
                                LatitudeText(record.ggaPosition.latitude) + QStringLiteral("  "));
    Write(kLongitudeLabelBox, QStringLiteral("Longitude   "));
    WriteLive(kLongitudeBox, LetterOf(record.rmcPosition.longitudeLetter) + QLatin1Char(' ') +
                                 LongitudeText(record.ggaPosition.longitude) +
                                 QStringLiteral("  "));
    WriteLive(kPdopBox, QString::asprintf("PDOP  %2.2f   ", record.pdop));
    WriteLive(kHdopBox, QString::asprintf("HDOP  %2.2f   ", record.hdop));
    for (const ModeText& mode : kModeTexts) {
        if (mode.fixMode == record.fixMode) {
            WriteLive(kModeBox, QString::fromLatin1(mode.text));
        }
    }
    WriteLive(kSecondsBox, secondsText);
}

void ViewerScreen::PaintSky(NmeaRecord& record) {
    DrawSkyFrame();
    DrawSatellites(record);
    drawing_->CopyToScreen(kSkyArea, kSkyOnScreen);
    DrawSignalBars(record);
}

void ViewerScreen::PaintMotion(const NmeaRecord& record) {
    const LocalClock clock =
        LocalTimeOf(record.rmcTime,
                    HourOffset(record.ggaPosition.longitude, record.rmcPosition.longitudeLetter));
    WriteLive(kTimeBox, QStringLiteral("Time  ") + ClockText(clock) + QStringLiteral("  "));
    WriteLive(kDateBox, QStringLiteral("Date  ") + DateText(record.date, clock.dayAdjustment) +
                            QStringLiteral("  "));
    WriteLive(kCourseBox, QString::asprintf("Course  %3.1f\u00B0   ", record.course));
    WriteLive(kSpeedBox, QString::asprintf("Speed %3.1f Km/h  ", record.speedKnots * 1.852));
}

void ViewerScreen::BlankLongitude() {
    Blank(kLongitudeBox);
}

void ViewerScreen::DrawSkyFrame() {
    drawing_->Fill(Plane::Memory, Box(0, 0, 250, 300), kWhite);
    drawing_->Ellipse(Plane::Memory, Box(5, 0, 105, 100), kBlack, kWhite);
    drawing_->Ellipse(Plane::Memory, Box(25, 20, 85, 80), kBlack, kWhite);
    drawing_->Rectangle(Plane::Memory, Box(15, 50, 95, 52), kBlack, kWhite);
    drawing_->Rectangle(Plane::Memory, Box(55, 10, 57, 90), kBlack, kWhite);
    drawing_->Text(Plane::Memory, Box(52, 0, 82, 20), QStringLiteral("N"), kStaticText, kWhite);
    drawing_->Text(Plane::Memory, Box(52, 87, 82, 107), QStringLiteral("S"), kStaticText, kWhite);
    drawing_->Text(Plane::Memory, Box(97, 42, 137, 78), QStringLiteral("E"), kStaticText, kWhite);
    drawing_->Text(Plane::Memory, Box(5, 42, 45, 78), QStringLiteral("W"), kStaticText, kWhite);
}

void ViewerScreen::DrawSatellites(const NmeaRecord& record) {
    for (int number = 1; number <= kMaxSatellite; ++number) {
        const SatelliteView& satellite = record.satellites[static_cast<std::size_t>(number)];
        if (!satellite.inView) {
            continue;
        }
        const bool solution = satellite.used && record.HasFix();
        const double elevation = satellite.elevation * kRadiansPerDegree;
        const double azimuth = satellite.azimuth * kRadiansPerDegree;
        const int dx = TruncateToInt(40 * std::cos(elevation) * std::sin(azimuth));
        const int dy = TruncateToInt(-40 * std::cos(elevation) * std::cos(azimuth));
        drawing_->Ellipse(Plane::Memory, Box(dx + 45, dy + 40, dx + 65, dy + 60), kBlack,
                          solution ? kBlue : kWhite);
        drawing_->Text(Plane::Memory, Box(dx + 48, dy + 43, dx + 65, dy + 60),
                       QString::asprintf("%2d", number), solution ? kHighlightText : kStaticText,
                       QColor());
    }
}

void ViewerScreen::DrawSignalBars(NmeaRecord& record) {
    drawing_->Fill(Plane::Memory, Box(0, 170, 240, 300), kWhite);
    drawing_->Fill(Plane::Screen, Box(5, 151, 240, 154), kBlue);
    drawing_->Fill(Plane::Screen, Box(5, 195, 240, 198), kBlue);
    int left = 3;
    int right = 20;
    int bars = 0;
    for (int number = 1; number <= kMaxSatellite && bars < kMaxBars; ++number) {
        SatelliteView& satellite = record.satellites[static_cast<std::size_t>(number)];
        if (!satellite.inView) {
            continue;
        }
        satellite.inView = false;
        const bool solution = satellite.used && record.HasFix();
        const int top = kBarBase - TruncateToInt(0.9 * satellite.snr);
        drawing_->Rectangle(Plane::Memory, Box(left, top, right, kBarBase), kBlack,
                            solution ? kBlue : kWhite);
        // The SNR sits in the band from the bar's top down into the bar. A bar shorter than
        // the band gets it just above the number row instead, in the plain text colour, so
        // that the two numbers never overlap.
        QRect band = Box(left, top, right, top + kSnrBand);
        QColor snrColor = solution ? kHighlightText : kStaticText;
        if (top + kSnrBand > kBarBase) {
            band = Box(left, kBarBase - kSnrBand, right, kBarBase);
            snrColor = kStaticText;
        }
        drawing_->Text(Plane::Memory, band, QString::asprintf("%2d", satellite.snr), snrColor,
                       QColor());
        drawing_->Text(Plane::Memory, Box(left, kBarBase, right, kBarBase + 13),
                       QString::asprintf("%2d", number), kStaticText, QColor());
        left += 20;
        right += 20;
        ++bars;
    }
    drawing_->CopyToScreen(kBarsArea, kBarsOnScreen);
}

}  // namespace orbexce
