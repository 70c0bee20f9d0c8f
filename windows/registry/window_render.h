// One monitor window driven offscreen as the main window would drive it: each received line is
// decoded once and handed on by the main window's dispatch rule, then the window is painted
// into an image and, through the recording drawing interface, into a draw log.
#pragma once

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <string_view>

#include <QWidget>

#include "decode/receiver_state.h"
#include "gui/window_table.h"

namespace orbex {

class MonitorWindowRender {
  public:
    // Shows the window (owned from now on; null for none), fed as its kind's row says, at its
    // creation size.
    MonitorWindowRender(WindowFeed feed, QWidget* window);
    ~MonitorWindowRender();
    MonitorWindowRender(const MonitorWindowRender&) = delete;
    MonitorWindowRender& operator=(const MonitorWindowRender&) = delete;

    bool valid() const { return window_ != nullptr; }
    QWidget* window() const { return window_; }

    // One line as received, terminator included, handed on by the main window's rule for the
    // window's feed.
    void FeedLine(std::string_view line);
    int linesFed() const { return linesFed_; }
    int recordsDecoded() const { return recordsDecoded_; }

    // Lets the window handle its pending events (resizes, repaints).
    void Settle();
    // The window as a user sees it, children included.
    QImage Grab();
    // Every drawing call of one full paint, in drawing order, as JSON lines: the window's own
    // calls, then each drawn child window's, tagged with the child's name.
    QStringList DrawLog();

  private:
    WindowFeed feed_;
    QPointer<QWidget> window_;
    int linesFed_ = 0;
    int recordsDecoded_ = 0;
};

}  // namespace orbex
