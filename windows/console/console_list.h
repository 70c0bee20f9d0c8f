// The Console's list: white fixed-pitch text on black over the whole window, no selection.
// It follows the newest line while the user is at the bottom and stays put once the user has
// scrolled up. Typed characters go to the owner (to open the Commands dialog); End and Home
// move the list as usual and then switch to the main window.
#pragma once

#include <QListView>
#include <functional>

#include "windows/console/console_lines.h"

namespace orbex {

class ConsoleList : public QListView {
  public:
    static constexpr int kControlId = 100;

    explicit ConsoleList(QWidget* parent);

    ConsoleLines& lines() { return *lines_; }
    const ConsoleLines& lines() const { return *lines_; }

    // True when the view shows the last items: the top item is at most one item above the
    // lowest top position.
    bool AtBottom() const;
    void ScrollToLast();
    int TextWidth(const QString& text) const;

    // Called with the text of a typed character.
    std::function<void(const QString& text)> onCharacter;
    // Called after End or Home did their list movement.
    std::function<void(int key)> onEndOrHome;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ConsoleLines* lines_;
};

}  // namespace orbex
