// The Console window: a terminal on the receiver link. It shows every received line, as text,
// just above the prompt "|", keeps at most about TERMLINES lines (dropping the oldest third at
// once when it overflows), and opens the Commands dialog with any character typed into it.
#pragma once

#include "windows/common/monitor_window.h"
#include "windows/console/console_list.h"

namespace orbex {

inline constexpr int kConsoleKind = 3;
inline constexpr int kDefaultConsoleLines = 300;

// "TERMLINES" of section "CONFIG"; 300 when absent.
int ReadConsoleMaxLines();

class CConsoleWnd : public CMonitorWnd {
  public:
    explicit CConsoleWnd(const QString& title = QStringLiteral("Console"),
                         QWidget* parent = nullptr);
    CConsoleWnd(int maxLines, const QString& title, QWidget* parent = nullptr);

    void OnReceiverLine(std::string_view line) override;
    // The list's items in order, as {"op":"item"} calls on a recording surface.
    void Paint(DrawSurface& surface) override;

    ConsoleList& list() { return *list_; }
    int maxLines() const { return maxLines_; }

  private:
    void EnterCommand(const QString& typed);
    void OnEndOrHome(int key);

    int maxLines_;
    ConsoleList* list_;
    bool showPending_ = false;  // ShowNewLines() is posted
    bool follow_ = false;       // it scrolls to the last row first
};

}  // namespace orbex
