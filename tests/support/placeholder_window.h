// A plain window in place of a monitor or tool window, for tests and the soak: it takes the lines
// and records it is given (so the dispatch can be seen at work), shows how many, deletes itself
// when closed and tells the main window so.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "gui/receiver_sink.h"

namespace orbex {

class CPlaceholderWnd : public QWidget, public ReceiverSink {
    Q_OBJECT
  public:
    CPlaceholderWnd(int kind, const QString& title);
    ~CPlaceholderWnd() override;

    void OnReceiverLine(std::string_view line) override;
    void OnReceiverRecord(const ReceiverState& record) override;

    int kind() const { return kind_; }
    long lineCount() const { return lines_; }
    long recordCount() const { return records_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int kind_;
    long lines_ = 0;
    long records_ = 0;
    std::string lastLine_;
};

// Installs the program's window-kind table with every window made plain.
void InstallPlainWindows();

}  // namespace orbex
