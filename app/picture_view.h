// The picture area of the main window: the background picture with its five entries and the
// exit area. Hovering inverts the entry under the mouse (only every third move is looked at);
// a click on an entry blinks it five times, about one second, then asks for the entry's command;
// a click on the exit area asks to close. The blink runs on a timer, so received lines keep
// flowing meanwhile. The right-click menu holds the always-on-top item.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include "gui/draw_surface.h"

namespace orbex {

class CPictureView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kBlinkSteps = 10;  // steps 0..10: entry shown on even steps

    // background: the main picture; hand: the cursor over an entry (hot spot 9, 1).
    CPictureView(QImage background, QPixmap hand, QWidget* parent);

    void Paint(DrawSurface& surface) const;
    void OnMouseMove(QPoint point);
    void OnLeftButtonDown(QPoint point);

    int hotIndex() const { return hotIndex_; }
    bool blinking() const { return blinkTimer_.isActive(); }
    void SetBlinkInterval(int milliseconds) { blinkTimer_.setInterval(milliseconds); }
    // While the main window is always on top, hovering gives it the keyboard focus.
    void SetAlwaysOnTop(bool onTop) { alwaysOnTop_ = onTop; }

  signals:
    void commandChosen(int command);
    void exitChosen();
    void alwaysOnTopToggled();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void InvalidateHot(int index);
    void BlinkStep();

    QImage background_;
    QPixmap hand_;
    int hotIndex_ = 0;
    int mouseMoves_ = 0;
    bool alwaysOnTop_ = false;
    QTimer blinkTimer_;
    int blinkEntry_ = 0;  // the entry that blinks, 1-5
    int blinkStep_ = 0;
};

}  // namespace orbex
