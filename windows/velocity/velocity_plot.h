// What the velocity window knows: the velocity samples as east and north components on a polar
// target, their running averages and spreads, the latest speed, heading and DOP, the scale and
// the layout for the window's size. Drawing and widgets live in the window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <deque>
#include <string>
#include <vector>

#include "decode/receiver_state.h"
#include "windows/common/plot_change.h"
#include "windows/common/zoom_scale.h"
#include "windows/velocity/running_spread.h"

namespace orbex {

struct VelocityPoint {
    double east = 0;   // km/h
    double north = 0;  // km/h
};

class VelocityPlot {
  public:
    static constexpr float kInitialScale = 5.0f;  // pixels per km/h
    static constexpr int kClientWidth = 640;
    static constexpr int kClientHeight = 400;
    static constexpr int kPanelWidth = 184;
    static constexpr std::size_t kPointCapacity = 300;
    // The buttons zoom from 0.1 to 150 pixels per km/h; the keys may go 2^10 times out or in
    // from the start, which keeps the rings a bounded amount of work.
    static constexpr ZoomScale::Range kZoomRange{150.0f, 0.1f, kInitialScale / 1024.0f,
                                                 kInitialScale * 1024.0f};

    using Change = PlotChange;

    VelocityPlot() { Resize({kClientWidth, kClientHeight}); }

    Change OnRecord(const ReceiverState& record);
    void Resize(QSize client);

    // The scale the "+" and "-" buttons and keys step.
    ZoomScale& zoom() { return zoom_; }
    float scale() const { return zoom_.value(); }

    QPoint PixelOf(VelocityPoint point) const;

    QSize client() const { return client_; }
    QPoint centre() const { return centre_; }
    int panelX() const { return panelX_; }
    int statisticsY() const { return statisticsY_; }
    int sampleCount() const { return sampleCount_; }
    int speed() const { return speed_; }
    int heading() const { return heading_; }
    const std::string& dopText() const { return dopText_; }
    float pdop() const { return pdop_; }
    const std::deque<VelocityPoint>& points() const { return points_; }
    const RunningSpread& east() const { return east_; }
    const RunningSpread& north() const { return north_; }
    // The two text areas an update changes: speed to samples, and the statistics.
    QRect SpeedTextArea() const;
    QRect StatisticsArea() const;

  private:
    ZoomScale zoom_{kInitialScale, kZoomRange};
    QSize client_;
    QPoint centre_;
    int panelX_ = 0;
    int statisticsY_ = 0;
    int sampleCount_ = 0;
    int speed_ = 0;
    int heading_ = 0;
    std::string dopText_;
    float pdop_ = 0;
    std::deque<VelocityPoint> points_;
    RunningSpread east_;
    RunningSpread north_;
};

}  // namespace orbex
