// The Commands dialog: the user types a command line for the receiver (opened from the Console
// window with the character that was typed there). The edit field sits above the always
// visible list of this run's commands; "OK" is enabled exactly while the field is not empty.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orbex {

class CCommandsDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kMaxCommandLength = 256;
    static constexpr int kComboId = 1014;

    explicit CCommandsDialog(QWidget* parent, const QString& initialText);

    QString commandText() const;
    QLineEdit* edit() const { return edit_; }
    QListWidget* historyList() const { return list_; }
    QPushButton* okButton() const { return ok_; }

  private:
    void UpdateOk();

    QLineEdit* edit_;
    QListWidget* list_;
    QPushButton* ok_;
};

// Runs the dialog modally. On OK the text joins the history, is encoded (code page 932,
// escapes, CR LF) and sent to the receiver through the main window; returns true. The parent
// (the Console window) gets the keyboard focus back if it still exists. Cancel sends nothing.
bool RunCommandsDialog(QWidget* parent, const QString& initialText);

// The Console's entry: the typed character starts the field when it is printable (32 or above).
bool EnterCommand(QWidget* parent, char firstCharacter);

// What OK does with the dialog's text: history, encoding, sending. Returns the bytes sent.
std::string SubmitCommand(const QString& text);

}  // namespace orbex
