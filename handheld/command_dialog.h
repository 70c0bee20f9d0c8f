// CCommandDialog, "Dialog": eight ready-made receiver commands to choose from, an edit field
// that takes the chosen one or any typed text, and the default button "Send".
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace orbexce {

class CCommandDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CCommandDialog(QWidget* parent = nullptr);

    // The text in the edit field.
    QString command() const;
    QListWidget* commandList() const { return list_; }
    QLineEdit* editField() const { return edit_; }

  private:
    QListWidget* list_;
    QLineEdit* edit_;
};

}  // namespace orbexce
