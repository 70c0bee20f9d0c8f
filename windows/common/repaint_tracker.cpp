#include "windows/common/repaint_tracker.h"

#include <QMetaObject>
#include <QWidget>
#include <utility>

namespace orbex {

RepaintTracker::RepaintTracker(QWidget& widget, PaintFunction draw, PaintFunction compare,
                               TextCache* texts)
    : widget_(widget), draw_(std::move(draw)), compare_(std::move(compare)), texts_(texts) {}

void RepaintTracker::Changed() {
    tracking_ = true;
    if (!known_) {
        // The whole widget repaints anyway: asked for now, it keeps its place among the
        // windows' repaints (the first data in a new window, say).
        widget_.update();
        return;
    }
    if (pending_) {
        return;
    }
    pending_ = true;
    // Queued on the widget: it runs after the batch of lines being dispatched, before the
    // repaints (posted at a lower priority), and never after the widget is gone.
    QMetaObject::invokeMethod(
        &widget_,
        [this] {
            pending_ = false;
            Compare();
        },
        Qt::QueuedConnection);
}

void RepaintTracker::Compare() {
    if (!known_ || !widget_.isVisible()) {
        widget_.update();
        return;
    }
    MarkSurface marks(nullptr, texts_, widget_.font());
    compare_(marks);
    const QRegion changed = ChangedRegion(shown_, marks.marks()) & widget_.rect();
    if (changed.isEmpty()) {
        ++unchanged_;
        return;
    }
    widget_.update(changed);
}

void RepaintTracker::Paint(DrawSurface& target, const QRegion& painted) {
    if (!tracking_) {
        draw_(target);
        return;
    }
    MarkSurface marks(&target, texts_, widget_.font());
    draw_(marks);
    std::vector<PaintMark> drawn = marks.TakeMarks();
    // What the widget's own pixels are: not the areas of child widgets that paint all of theirs
    // (Qt leaves those out of the widget's paints).
    QRegion own(widget_.rect());
    for (const QObject* object : widget_.children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (child != nullptr && child->isVisible() && !child->isWindow() &&
            (child->testAttribute(Qt::WA_OpaquePaintEvent) || child->autoFillBackground())) {
            own -= child->geometry();
        }
    }
    // The screen shows `drawn` everywhere when this paint covered every pixel that may differ
    // from the picture shown before.
    const bool covered =
        own.subtracted(painted).isEmpty() ||
        (known_ && (ChangedRegion(shown_, drawn) & own).subtracted(painted).isEmpty());
    if (covered) {
        shown_ = std::move(drawn);
        known_ = true;
    } else {
        known_ = false;
        widget_.update();
    }
}

}  // namespace orbex
