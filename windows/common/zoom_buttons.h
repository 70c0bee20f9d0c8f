// The "+" and "-" of a plot window: the two zoom buttons (commands 257 and 258) and the '+' and
// '-' keys, which step the plot's scale. After each step the buttons are enabled within their
// limits, the window takes the focus back from the button and repaints.
#pragma once

#include <QKeyEvent>
#include <QPoint>
#include <QWidget>

#include "windows/common/zoom_button.h"
#include "windows/common/zoom_scale.h"

namespace orbex {

class ZoomButtons {
  public:
    // The buttons become children of `window`; `scale` is the plot's and outlives them.
    ZoomButtons(QWidget& window, ZoomScale& scale);
    ZoomButtons(const ZoomButtons&) = delete;
    ZoomButtons& operator=(const ZoomButtons&) = delete;

    void ZoomIn();
    void ZoomOut();
    // The keys run the commands whatever the buttons' state. Returns true when the key was '+'
    // or '-'.
    bool HandleKey(const QKeyEvent& event);
    // Places "-" at `zoomOut` and "+" at `zoomIn` (window coordinates).
    void Place(QPoint zoomOut, QPoint zoomIn);

    ZoomButton* zoomInButton() const { return zoomIn_; }
    ZoomButton* zoomOutButton() const { return zoomOut_; }

  private:
    void AfterZoom();

    QWidget& window_;
    ZoomScale& scale_;
    ZoomButton* zoomIn_;   // owned by the window (Qt parent)
    ZoomButton* zoomOut_;  // owned by the window (Qt parent)
};

}  // namespace orbex
