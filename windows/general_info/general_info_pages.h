// The two page layouts of the General Information window: the native page for the maker's
// fixed-column records and the NMEA page built from the accumulated sentences. Both draw
// line n at y = lineHeight * n + 5, every text on black.
#pragma once

#include <QFont>

#include "decode/receiver_state.h"
#include "gui/draw_surface.h"
#include "windows/general_info/nmea_accumulator.h"

namespace orbex {

// Positions measured from the window's font at creation.
struct PageMetrics {
    QFont font;
    int lineHeight = 0;  // text height plus external leading
    int charWidth = 0;   // average character width
    int columnX = 0;     // the native page's right-hand column starts at columnX + 5
    int usedLabelX = 0;  // the NMEA page's first used-satellite column
    int usedStepX = 0;   // the step between used-satellite columns

    static PageMetrics Measure(const QFont& font);
    int LineY(int line) const { return lineHeight * line + 5; }
};

void DrawNativePage(DrawSurface& surface, const PageMetrics& metrics, const ReceiverState& shown);
// minuteDivisor: 10000 after a "$GPGGA" with four minute decimals, else 1000.
void DrawNmeaPage(DrawSurface& surface, const PageMetrics& metrics, const NmeaAccumulator& nmea,
                  double minuteDivisor);

}  // namespace orbex
