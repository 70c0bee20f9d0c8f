// The behaviour every monitor window shares: a top-level window on black that deletes itself
// when closed and tells the main window so (UWM_WINDOW_CLOSED), the always-on-top item
// "常に手前に表示(&O)" (id 4112) in its window menu, and the shared key routine that asks the main
// window to open other windows (UWM_KEY_COMMAND). Subclasses draw only in Paint.
#pragma once

#include <QWidget>

#include "gui/receiver_sink.h"
#include "gui/text_cache.h"
#include "windows/common/paintable.h"
#include "windows/common/repaint_tracker.h"

class QAction;

namespace orbex {

inline constexpr int kAlwaysOnTopCommand = 4112;  // 4112..4127 are all taken as it

class CMonitorWnd : public QWidget, public ReceiverSink, public Paintable {
  public:
    CMonitorWnd(int kind, const QString& title, QWidget* parent = nullptr);
    ~CMonitorWnd() override;

    int kind() const { return kind_; }
    bool alwaysOnTop() const { return alwaysOnTop_; }
    // Toggles the window in or out of the topmost band, keeping position and size.
    void ToggleAlwaysOnTop();
    // The window-menu command ids (4112..4127 toggle always-on-top).
    void OnSystemCommand(int id);

    // The shared key routine: '1'..'5' (also keypad) post UWM_KEY_COMMAND 0..4; F1..F10, 'A',
    // 'H', 'I', 'O', 'S', 'T' post it with the key code; End closes the active window; Home brings
    // the main window forward. Returns true when the key was one of these.
    static bool HandleMonitorKey(QWidget* window, int key);

    // "Save picture" of the right-click menu: a file dialog offering
    // "<kind name>-<date>-<time>.png" in the program directory, then a PNG of the window.
    void SavePicture();

  protected:
    // New data: repaints only the area whose picture changed, after the batch of lines.
    void RepaintChanged() { repaints_.Changed(); }
    // Draws the picture for a comparison; a window whose Paint changes its own state keeps
    // that state here as it was.
    virtual void PaintForComparison(DrawSurface& surface) { Paint(surface); }

    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int kind_;
    bool alwaysOnTop_ = false;
    TextCache texts_;  // the texts of earlier paints, laid out
    RepaintTracker repaints_;
};

}  // namespace orbex
