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
#include "windows/position_plot/coordinate_group.h"
#include "windows/position_plot/plot_points.h"

namespace orbex {

class PositionPlot {
  public:
    static constexpr float kInitialScale = 500.0f;  // pixels per arc-second
    static constexpr int kClientWidth = 650;
    static constexpr int kClientHeight = 440;

    // What an update changed on screen.
    struct Change {
        bool whole = false;        // repaint the whole window
        std::vector<QRect> areas;  // otherwise (or also) these areas
        bool outOfMemory = false;  // the point array could not grow
    };

    // Hands in one decoded record; the position history is the process-wide sample rings.
    Change OnRecord(const ReceiverState& record, const PositionSamples& samples);
    void Resize(QSize client) { client_ = client; }

    // Zoom commands (the "+" and "-" buttons and keys). The keys may pass the buttons' limits,
    // but not the outer range that keeps the scale a usable, non-zero number.
    void ZoomIn();
    void ZoomOut();
    bool CanZoomIn() const { return scale_ < 1000.0f; }
    bool CanZoomOut() const { return scale_ > 0.2f; }
    float scale() const { return scale_; }

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
    const CoordinateGroup& centreLat() const { return centreLat_; }
    const CoordinateGroup& centreLon() const { return centreLon_; }
    const CoordinateGroup& currentLat() const { return currentLat_; }
    const CoordinateGroup& currentLon() const { return currentLon_; }
    float altitude() const { return altitude_; }
    int speed() const { return speed_; }
    const RecordTime& createdNative() const { return createdNative_; }
    const RecordTime& currentNative() const { return currentNative_; }
    const RecordTime& createdAlt() const { return createdAlt_; }
    const RecordTime& currentAlt() const { return currentAlt_; }
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

    float scale_ = kInitialScale;
    QSize client_{kClientWidth, kClientHeight};
    int updateCount_ = 0;
    bool timeSeen_ = false;     // a "$GPZDA" arrived
    bool centreFixed_ = false;  // the first "$GPGGA" with a fix since the window opened
    bool nativeSeen_ = false;   // a native record arrived (it fixes the centre itself)
    bool altTimeSeen_ = false;
    CoordinateGroup centreLat_, centreLon_;
    CoordinateGroup currentLat_, currentLon_;
    float altitude_ = 0;
    int speed_ = 0;
    RecordTime createdNative_, currentNative_;
    RecordTime createdAlt_, currentAlt_;
    std::string dopText_;
    std::string recordKind_;
    PlotPoints points_;
};

}  // namespace orbex
