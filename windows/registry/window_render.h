// One monitor window driven offscreen as the main window would drive it: each received line is
// decoded once by the render's own decoder and handed on by the main window's dispatch rule,
// then the window is painted into an image and, through the recording drawing interface, into
// a draw log.
#pragma once

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <string_view>

#include <QWidget>

#include "decode/line_decoder.h"
#include "decode/receiver_state.h"
#include "gui/window_table.h"

namespace orbex {

class MonitorWindowRender {
  public:
    // Makes the window with the render's decoder (the window is owned from now on; null for
    // none) and shows it at its creation size, fed as its kind's row says.
    using Maker = std::function<QWidget*(LineDecoder& decoder)>;
    MonitorWindowRender(WindowFeed feed, const Maker& make);
    ~MonitorWindowRender();
    MonitorWindowRender(const MonitorWindowRender&) = delete;
    MonitorWindowRender& operator=(const MonitorWindowRender&) = delete;

    bool valid() const { return window_ != nullptr; }
    QWidget* window() const { return window_; }
    const LineDecoder& decoder() const { return decoder_; }

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
    LineDecoder decoder_;  // declared before the window, which holds it
    QPointer<QWidget> window_;
    int linesFed_ = 0;
    int recordsDecoded_ = 0;
};

}  // namespace orbex
