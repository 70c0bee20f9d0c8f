#include "windows/position_plot/position_plot.h"

#include <cmath>

#include "decode/lookup_tables.h"
#include "windows/common/record_kind.h"
#include "windows/position_plot/pixel_math.h"

namespace orbex {
namespace {

// A "$GPGGA" that carries a fix: a quality other than "0" and both hemispheres. Before their
// first fix receivers send empty positions with quality "0" every second.
bool CarriesFix(const ReceiverState& gga) {
    return gga.fixQuality >= '1' && gga.fixQuality <= '9' && gga.latHemisphere != 0 &&
           gga.lonHemisphere != 0;
}

// A C conversion from float to int, toward zero, safe for any value a field may hold.
int WholeKmh(float kmh) {
    return TruncateToPixel(kmh);
}

}  // namespace

float PositionPlot::sharedPdop = 0.0f;

PositionPlot::Change PositionPlot::OnRecord(const ReceiverState& record,
                                            const PositionSamples& samples) {
    Change change;
    // A 4-channel record counts as "4ch", any other record by its own kind.
    recordKind_ = VersionText(record);
    if (IsNativeRecord(record)) {
        OnNativeRecord(record, samples, change);
    } else {
        OnNmeaRecord(record, samples, change);
    }
    return change;
}

void PositionPlot::OnNmeaRecord(const ReceiverState& record, const PositionSamples& samples,
                                Change& change) {
    if (IsSentence(record, "$GPGGA")) {
        // A sentence without a fix has no position: the plot keeps the last one it had, so
        // that a re-centre never moves the view to (0, 0).
        if (CarriesFix(record)) {
            // The centre is the first fix after the window opens, whenever it comes.
            if (!centreFixed_) {
                centreFixed_ = true;
                centre_ = PositionOf(record);
                change.whole = true;
            }
            current_ = PositionOf(record);
            altitude_ = record.altitude;
        }
    } else if (IsSentence(record, "$GPVTG")) {
        speed_ = WholeKmh(record.vtgSpeedKmh);
    } else if (IsSentence(record, "$GPGSA")) {
        sharedPdop = record.pdop;
    } else if (IsSentence(record, "$GPZDA")) {
        if (!altTimeSeen_) {
            altTimes_.created = record.altTime;
            altTimeSeen_ = true;
        }
        change.whole = true;
        altTimes_.current = record.altTime;
        timeSeen_ = true;
        ++updateCount_;
    }
    if (timeSeen_ && centreFixed_ && samples.sampleNext() > 0) {
        PlotFix({samples.newestLonArcSec(), samples.newestLatArcSec()}, false, change);
    }
}

void PositionPlot::OnNativeRecord(const ReceiverState& record, const PositionSamples& samples,
                                  Change& change) {
    if (!nativeSeen_) {
        nativeTimes_.created = record.nativeTime;
        centre_ = PositionOf(record);
        centre_.lat.seconds = std::floor(centre_.lat.seconds);
        centre_.lon.seconds = std::floor(centre_.lon.seconds);
        change.whole = true;
    }
    // A native record carries its own time and fixes the centre, so a native stream draws
    // without any "$GPZDA" or "$GPGGA".
    nativeSeen_ = true;
    ++updateCount_;
    current_ = PositionOf(record);
    nativeTimes_.current = record.nativeTime;
    altitude_ = record.altitude;
    speed_ = record.speedKmhWhole;
    const bool sm = IsSmRecord(record);
    if (sm) {
        dopText_ = DopText(record);
    } else {
        sharedPdop = record.pdop;
    }
    // "SM" records add a sample to the position history; the other native records do not, so
    // their own position is the fix to plot.
    if (!sm) {
        PlotFix({current_.lon.ArcSeconds(), current_.lat.ArcSeconds()}, true, change);
    } else if (samples.sampleNext() > 0) {
        PlotFix({samples.newestLonArcSec(), samples.newestLatArcSec()}, true, change);
    }
}

void PositionPlot::PlotFix(PlotPoint fix, bool native, Change& change) {
    const QPoint pixel = PixelOf(fix);
    if (!InRange(pixel)) {
        Recentre(change);
        return;
    }
    const PlotPoints::AppendResult result = points_.Append(fix);
    if (result.outcome == PlotPoints::Outcome::OutOfMemory) {
        change.outOfMemory = true;
        points_.DropOldestHalf();
        Recentre(change);
        return;
    }
    if (result.dropped) {
        // The dropped point must vanish from the screen too.
        change.areas.push_back(SquareAround(PixelOf(*result.dropped), 5));
    }
    if (!native) {
        // The NMEA path shows its new point and its texts at the next "$GPZDA".
        return;
    }
    // Time, speed and samples change with every native record, also when the fix repeats
    // the last point (a receiver standing still).
    for (const QRect& area : ChangingTextAreas()) {
        change.areas.push_back(area);
    }
    if (result.outcome == PlotPoints::Outcome::SameAsLast) {
        return;
    }
    change.areas.push_back(SquareAround(pixel, 5));
}

void PositionPlot::Recentre(Change& change) {
    centre_ = current_;
    // With memory this short the centre is simply not stored; the view still moves.
    points_.AppendCentre(CentrePoint());
    change.whole = true;
}

PlotPoint PositionPlot::CentrePoint() const {
    return {centre_.lon.ArcSeconds(), centre_.lat.ArcSeconds()};
}

bool PositionPlot::Drawing() const {
    return updateCount_ > 0 && (nativeSeen_ || (timeSeen_ && centreFixed_));
}

bool PositionPlot::NativeLayout() const {
    return IsNativeKind(recordKind_);
}

bool PositionPlot::NativeSmLayout() const {
    return KindBegins(recordKind_, "SM");
}

QPoint PositionPlot::PixelOf(PlotPoint point) const {
    const PlotPoint centre = CentrePoint();
    const int halfWidth = client_.width() / 2;
    const int halfHeight = client_.height() / 2;
    return {TruncateToPixel((point.lon - centre.lon) * scale() + halfWidth + 0.5),
            TruncateToPixel(halfHeight - (point.lat - centre.lat) * scale() + 0.5)};
}

bool PositionPlot::InRange(QPoint pixel) const {
    return pixel.x() >= 10 && pixel.x() <= client_.width() - 10 && pixel.y() >= 10 &&
           pixel.y() <= client_.height() - 10;
}

std::vector<QRect> PositionPlot::ChangingTextAreas() const {
    const int w = client_.width();
    const int h = client_.height();
    return {RectFromEdges(315, 0, w, 70), RectFromEdges(0, h - 76, 315, h),
            RectFromEdges(w - 110, h - 51, w, h)};
}

}  // namespace orbex
