// The progress dialog of the almanac and ephemeris transfers: "Cancel", a 0..100 bar and one
// text line. Modeless; while it exists the main window is disabled. The title follows the
// data-transfer mode (1 and 3 name the transmission). "Cancel" calls the cancel callback, then
// closes the dialog. Workers never call it directly: their window forwards their updates with
// queued calls, so a worker never waits for the user-interface thread.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace orbex {

class CProgressDialog : public QDialog {
    Q_OBJECT
  public:
    CProgressDialog(std::function<void()> cancel, const QString& title, const QString& text,
                    std::uint8_t mode);
    ~CProgressDialog() override;

    // The title the dialog shows for a given title and mode.
    static QString TitleFor(const QString& title, std::uint8_t mode);

    // Values above 100 become 100, values of 0 or below 0.
    void SetPos(int percent);
    void SetText(const QString& text);
    void RenameCancelButton(const QString& text);

    int pos() const;
    QString text() const;
    QString cancelButtonText() const;

    void reject() override;  // "Cancel"; Escape and the window's close button act the same

  private:
    std::function<void()> cancel_;
    QProgressBar* bar_;
    QLabel* text_;
    QPushButton* cancelButton_;
    QPointer<QWidget> disabledMainWindow_;
};

}  // namespace orbex
