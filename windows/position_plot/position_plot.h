// What the position plot window knows: the centre, the latest fix, the times, the points and
// the scale, and the rules by which each decoded record changes them. No drawing and no Qt
// widgets here; the window asks for repaints of the areas an update reports.
#pragma once

#include <QRect>
#include <QSize>
#include <string>
#include <vector>

#include "decode/position_samples.h"
#include "decode/receiver_state.h"
#include "windows/common/plot_change.h"
#include "windows/common/zoom_scale.h"
#include "windows/position_plot/coordinate_group.h"
#include "windows/position_plot/plot_points.h"

namespace orbex {

// When the window was created and the latest time, both from one source of times.
struct PlotTimes {
    RecordTime created;
    RecordTime current;
};

class PositionPlot {
  public:
    static constexpr float kInitialScale = 500.0f;  // pixels per arc-second
    static constexpr int kClientWidth = 650;
    static constexpr int kClientHeight = 440;
    // The buttons zoom from 0.2 to 1000 pixels per arc-second; the keys may go 2^20 times out
    // and 2^10 times in from the start.
    static constexpr ZoomScale::Range kZoomRange{1000.0f, 0.2f, kInitialScale / 1048576.0f,
                                                 kInitialScale * 1024.0f};

    // What an update changed on screen.
    struct Change : PlotChange {
        bool outOfMemory = false;  // the point array could not grow
    };

    // Hands in one decoded record; the position history is the process-wide sample rings.
    Change OnRecord(const ReceiverState& record, const PositionSamples& samples);
    void Resize(QSize client) { client_ = client; }

    // The scale the "+" and "-" buttons and keys step.
    ZoomScale& zoom() { return zoom_; }
    float scale() const { return zoom_.value(); }

    // Whether the text blocks and the points are drawn (otherwise the grid alone).
    bool Drawing() const;
    // Native layout of the text blocks: the last record was a native record.
    bool NativeLayout() const;
    bool NativeSmLayout() const;
    // The pixel of a point relative to the current centre, and the range test on it.
    QPoint PixelOf(PlotPoint point) const;
    bool InRange(QPoint pixel) const;

    QSize client() const { return client_; }
    int updateCount() const { return updateCount_; }
    bool timeSeen() const { return timeSeen_; }
    bool centreFixed() const { return centreFixed_; }
    bool nativeSeen() const { return nativeSeen_; }
    const CoordinatePair& centre() const { return centre_; }
    const CoordinatePair& current() const { return current_; }
    float altitude() const { return altitude_; }
    int speed() const { return speed_; }
    // The native records' own times, and the "$GPZDA" times.
    const PlotTimes& nativeTimes() const { return nativeTimes_; }
    const PlotTimes& altTimes() const { return altTimes_; }
    const std::string& dopText() const { return dopText_; }
    const std::string& recordKind() const { return recordKind_; }
    const PlotPoints& points() const { return points_; }
    PlotPoints& points() { return points_; }

    // The PDOP shared by every position plot: set from native records other than "SM" and
    // from "$GPGSA".
    static float sharedPdop;

    // The areas of the text blocks that a native update changes (top right, bottom left,
    // bottom right), widened to the client's right edge because the texts are not clipped.
    std::vector<QRect> ChangingTextAreas() const;

  private:
    void OnNmeaRecord(const ReceiverState& record, const PositionSamples& samples, Change& change);
    void OnNativeRecord(const ReceiverState& record, const PositionSamples& samples,
                        Change& change);
    void PlotFix(PlotPoint fix, bool native, Change& change);
    void Recentre(Change& change);
    PlotPoint CentrePoint() const;

    ZoomScale zoom_{kInitialScale, kZoomRange};
    QSize client_{kClientWidth, kClientHeight};
    int updateCount_ = 0;
    bool timeSeen_ = false;     // a "$GPZDA" arrived
    bool centreFixed_ = false;  // the first "$GPGGA" with a fix since the window opened
    bool nativeSeen_ = false;   // a native record arrived (it fixes the centre itself)
    bool altTimeSeen_ = false;
    CoordinatePair centre_;
    CoordinatePair current_;
    float altitude_ = 0;
    int speed_ = 0;
    PlotTimes nativeTimes_;
    PlotTimes altTimes_;
    std::string dopText_;
    std::string recordKind_;
    PlotPoints points_;
};

}  // namespace orbex
