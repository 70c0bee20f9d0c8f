// A one-line label for texts that may be wider than their place, such as the main window's
// status line with a long port path: it shows as much as fits, with "…" in the middle, and the
// whole text as its tool tip. Its width never makes the window wider.
#pragma once

#include <QLabel>

namespace orbex {

class ElidingLabel : public QLabel {
  public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    const QString& fullText() const { return fullText_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Elide();

    QString fullText_;
};

}  // namespace orbex
