#include "windows/velocity/velocity_plot.h"

#include <cmath>

#include "decode/lookup_tables.h"
#include "windows/common/record_kind.h"
#include "windows/position_plot/pixel_math.h"

namespace orbex {
namespace {

constexpr double kPi = 3.1415926535898;

// A native record carries a velocity only with a fix: positioning mode 2D ("3") or 3D ("4").
// Without one its speed and course fields read as a standstill that was never measured.
bool NativeHasFix(const ReceiverState& record) {
    return record.fixMode == '3' || record.fixMode == '4';
}

// A "$GPVTG" without a fix has empty speed fields, which read as 0: it measured nothing.
bool Measured(const ReceiverState& record, bool sm) {
    return sm ? NativeHasFix(record) : record.vtgSpeedPresent;
}
}  // namespace

VelocityPlot::Change VelocityPlot::OnRecord(const ReceiverState& record) {
    Change change;
    if (sampleCount_ == 0) {
        change.whole = true;
        east_.Reset();
        north_.Reset();
        speed_ = 0;
        heading_ = 0;
    }
    const bool sm = IsSmRecord(record);
    const bool vtg = IsSentence(record, "$GPVTG");
    if (sm) {
        speed_ = record.speedKmhWhole;
        dopText_ = DopText(record);
    } else if (IsSentence(record, "$GPGSA")) {
        pdop_ = record.pdop;
    }
    if ((!sm && !vtg) || !Measured(record, sm)) {
        return change;
    }
    ++sampleCount_;
    if (vtg) {
        speed_ = TruncateToPixel(record.vtgSpeedKmh);
    }
    heading_ = record.course;
    const double angle = heading_ * kPi / 180.0;
    const VelocityPoint point{speed_ * std::sin(angle), speed_ * std::cos(angle)};
    points_.push_back(point);
    if (points_.size() > kPointCapacity) {
        // The dropped point must vanish from the screen too.
        change.areas.push_back(SquareAround(PixelOf(points_.front()), 5));
        points_.pop_front();
    }
    change.areas.push_back(SquareAround(PixelOf(point), 5));
    east_.Add(point.east);
    north_.Add(point.north);
    change.areas.push_back(SpeedTextArea());
    change.areas.push_back(StatisticsArea());
    return change;
}

void VelocityPlot::Resize(QSize client) {
    client_ = client;
    panelX_ = client.width() - kPanelWidth;
    centre_ = {(client.width() - kPanelWidth) / 2, client.height() / 2};
    statisticsY_ = client.height() - 96;
}

QPoint VelocityPlot::PixelOf(VelocityPoint point) const {
    return {TruncateToPixel(scale() * point.east + 0.5) + centre_.x(),
            centre_.y() - TruncateToPixel(scale() * point.north + 0.5)};
}

QRect VelocityPlot::SpeedTextArea() const {
    return RectFromEdges(panelX_, 32, panelX_ + kPanelWidth, 144);
}

QRect VelocityPlot::StatisticsArea() const {
    return RectFromEdges(panelX_, statisticsY_, panelX_ + kPanelWidth, statisticsY_ + 80);
}

}  // namespace orbex
