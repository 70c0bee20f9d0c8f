// The viewer's picture: the static screen and the live texts, sky plot and signal bars painted
// from the NMEA record, each into its fixed place on the 240-pixel-wide screen.
#pragma once

#include <QString>

#include "handheld/nmea_record.h"
#include "handheld/viewer_drawing.h"

namespace orbexce {

class ViewerScreen {
  public:
    explicit ViewerScreen(ViewerDrawing* drawing) : drawing_(drawing) {}
    void SetDrawing(ViewerDrawing* drawing) { drawing_ = drawing; }

    // Separator bars, empty sky plot, eleven empty bar frames and the texts with their
    // place-holders.
    void PaintStatic();
    // GGA: the height above the ellipsoid.
    void PaintAltitude(const NmeaRecord& record);
    // GSA: position texts, DOPs, fix mode and the seconds counter text.
    void PaintSolution(const NmeaRecord& record, const QString& secondsText);
    // The last GSV of a group: sky plot and signal bars. A satellite given a bar has its
    // in-view flag cleared, so that one that leaves the sky is gone from the next picture.
    void PaintSky(NmeaRecord& record);
    // RMC: local time, date, course and speed.
    void PaintMotion(const NmeaRecord& record);
    // Blanks the longitude value (no data for a while).
    void BlankLongitude();

  private:
    void Write(const QRect& rect, const QString& text);
    void WriteLive(const QRect& rect, const QString& text);
    void Blank(const QRect& rect);
    void DrawSkyFrame();
    void DrawSatellites(const NmeaRecord& record);
    void DrawSignalBars(NmeaRecord& record);

    ViewerDrawing* drawing_;
};

}  // namespace orbexce
