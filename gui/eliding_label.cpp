#include "gui/eliding_label.h"

#include <QFontMetrics>

namespace orbex {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    // The label takes the width it is given instead of asking for its text's width.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(1);
}

void ElidingLabel::SetFullText(const QString& text) {
    fullText_ = text;
    setToolTip(text);
    Elide();
}

void ElidingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void ElidingLabel::Elide() {
    setText(fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width()));
}

}  // namespace orbex
