// The "+" and "-" of a plot window: the two zoom buttons (commands 257 and 258) and the '+' and
// '-' keys, which step the plot's scale. After each step the buttons are enabled within their
// limits, the window takes the focus back from the button and repaints.
#pragma once

#include <QKeyEvent>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include "windows/common/zoom_button.h"
#include "windows/common/zoom_scale.h"

namespace orbex {

// Where the buttons sit in a window of a given size.
struct ZoomButtonPlaces {
    QPoint zoomOut;
    QPoint zoomIn;
};
using ZoomButtonLayout = ZoomButtonPlaces (*)(QSize window);

class ZoomButtons {
  public:
    // The buttons become children of `window`, placed by `layout`; `scale` is the plot's and
    // outlives them.
    ZoomButtons(QWidget& window, ZoomScale& scale, ZoomButtonLayout layout);
    ZoomButtons(const ZoomButtons&) = delete;
    ZoomButtons& operator=(const ZoomButtons&) = delete;

    void ZoomIn();
    void ZoomOut();
    // The keys run the commands whatever the buttons' state. Returns true when the key was '+'
    // or '-'.
    bool HandleKey(const QKeyEvent& event);
    // Moves the buttons to their places in a window of that size (at creation and on every
    // resize).
    void Follow(QSize window);

    ZoomButton* zoomInButton() const { return zoomIn_; }
    ZoomButton* zoomOutButton() const { return zoomOut_; }

  private:
    void AfterZoom();

    QWidget& window_;
    ZoomScale& scale_;
    ZoomButtonLayout layout_;
    ZoomButton* zoomIn_;   // owned by the window (Qt parent)
    ZoomButton* zoomOut_;  // owned by the window (Qt parent)
};

}  // namespace orbex
