// A tool's top-level window: it shows nothing of its own beyond the dialog it hosts or opens,
// hears the receiver's lines as a ReceiverSink, deletes itself when closed and, once the tool
// has cleaned up, tells the main window that it is gone (UWM_WINDOW_CLOSED).
#pragma once

#include <QString>
#include <QWidget>

#include "gui/receiver_sink.h"

namespace orbex {

class CToolWnd : public QWidget, public ReceiverSink {
    Q_OBJECT
  public:
    explicit CToolWnd(const QString& title);
    ~CToolWnd() override;
};

}  // namespace orbex
