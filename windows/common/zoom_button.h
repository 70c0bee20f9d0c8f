// The 20 x 20 "+" and "-" push buttons of the position plot and velocity windows, drawn through
// the drawing interface like every other part of a monitor window (so a draw log shows them and
// whether they are enabled). A click runs the command; the button never keeps the focus.
#pragma once

#include <QMouseEvent>
#include <functional>
#include <utility>

#include "gui/monitor_font.h"
#include "windows/common/painted_child.h"

namespace orbex {

class ZoomButton : public PaintedChild {
  public:
    ZoomButton(const QString& name, const QString& caption, QWidget* parent)
        : PaintedChild(name, parent), caption_(caption) {
        setFixedSize(20, 20);
        setFocusPolicy(Qt::NoFocus);
    }

    void SetCommand(std::function<void()> command) { command_ = std::move(command); }
    const QString& caption() const { return caption_; }

    void Paint(DrawSurface& surface) override {
        const QRect face(0, 0, width(), height());
        surface.Fill(face, QColor(0xC0, 0xC0, 0xC0));
        // A raised edge, pressed in while the button is held down.
        const QColor light = pressed_ ? QColor(0x80, 0x80, 0x80) : QColor(0xFF, 0xFF, 0xFF);
        const QColor dark = pressed_ ? QColor(0xFF, 0xFF, 0xFF) : QColor(0x80, 0x80, 0x80);
        const int r = width() - 1;
        const int b = height() - 1;
        surface.Line({0, 0}, {r, 0}, light);
        surface.Line({0, 0}, {0, b}, light);
        surface.Line({0, b}, {r, b}, dark);
        surface.Line({r, 0}, {r, b}, dark);
        surface.SetFont(MonitorFont(16, true));
        const QColor ink = isEnabled() ? QColor(0, 0, 0) : QColor(0x80, 0x80, 0x80);
        surface.TextInRect(face, Qt::AlignCenter, caption_, ink, NoColor());
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            pressed_ = true;
            update();
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton || !pressed_) {
            return;
        }
        pressed_ = false;
        update();
        if (rect().contains(event->position().toPoint()) && command_) {
            command_();
        }
    }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) {
            pressed_ = false;
            update();
        }
        PaintedChild::changeEvent(event);
    }

  private:
    QString caption_;
    std::function<void()> command_;
    bool pressed_ = false;
};

}  // namespace orbex
