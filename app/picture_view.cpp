#include "app/picture_view.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "app/main_picture.h"
#include "gui/painter_surface.h"

namespace orbex {

namespace {

const QString kAlwaysOnTopText = QStringLiteral("常に手前に表示(&O)");
constexpr int kExitArea = 6;

}  // namespace

CPictureView::CPictureView(QImage background, QPixmap hand, QWidget* parent)
    : QWidget(parent), background_(std::move(background)), hand_(std::move(hand)) {
    setFixedSize(kPictureWidth, kPictureHeight);
    setMouseTracking(true);
    setAutoFillBackground(false);
    blinkTimer_.setInterval(100);
    connect(&blinkTimer_, &QTimer::timeout, this, [this] { BlinkStep(); });
}

void CPictureView::Paint(DrawSurface& surface) const {
    surface.Fill(QRect(0, 0, kPictureWidth, kPictureHeight), QColor(0, 0, 0));
    surface.Bitmap(QPoint(0, 0), background_);
    if (hotIndex_ != 0) {
        surface.Invert(HotRectangles()[hotIndex_ - 1].rect);
    }
}

void CPictureView::OnMouseMove(QPoint point) {
    if (alwaysOnTop_) {
        window()->setFocus();
    }
    // Only every third move is looked at, to keep hovering cheap; a blinking entry keeps
    // its rhythm.
    if (mouseMoves_++ % 3 != 0 || blinking()) {
        return;
    }
    int found = 0;
    for (std::size_t i = 0; i < HotRectangles().size(); ++i) {
        if (HotRectangles()[i].rect.contains(point)) {
            found = static_cast<int>(i) + 1;
            break;
        }
    }
    if (found == 0) {
        hotIndex_ = 0;
        update();
        unsetCursor();
        return;
    }
    if (found != hotIndex_) {
        InvalidateHot(hotIndex_);
        InvalidateHot(found);
        hotIndex_ = found;
    }
    setCursor(hand_.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand_, 9, 1));
}

void CPictureView::OnLeftButtonDown(QPoint point) {
    if (hotIndex_ == 0 || blinking() || !HotRectangles()[hotIndex_ - 1].rect.contains(point)) {
        return;
    }
    if (hotIndex_ == kExitArea) {
        emit exitChosen();
        return;
    }
    blinkEntry_ = hotIndex_;
    blinkStep_ = 0;
    InvalidateHot(blinkEntry_);
    blinkTimer_.start();
}

// Step i of the blink shows the entry inverted for even i and plain for odd i; after the last
// step the entry's command runs and the entry stays highlighted.
void CPictureView::BlinkStep() {
    ++blinkStep_;
    hotIndex_ = blinkStep_ % 2 == 0 ? blinkEntry_ : 0;
    InvalidateHot(blinkEntry_);
    if (blinkStep_ < kBlinkSteps) {
        return;
    }
    blinkTimer_.stop();
    hotIndex_ = blinkEntry_;
    emit commandChosen(HotRectangles()[blinkEntry_ - 1].command);
}

void CPictureView::InvalidateHot(int index) {
    if (index != 0) {
        update(HotRectangles()[index - 1].rect);
    }
}

void CPictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface surface(painter);
    Paint(surface);
}

void CPictureView::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(event->position().toPoint());
}

void CPictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLeftButtonDown(event->position().toPoint());
    }
}

void CPictureView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* item = menu.addAction(kAlwaysOnTopText);
    item->setCheckable(true);
    item->setChecked(alwaysOnTop_);
    if (menu.exec(event->globalPos()) == item) {
        emit alwaysOnTopToggled();
    }
}

}  // namespace orbex
