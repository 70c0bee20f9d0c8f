#include "windows/console/console_delegate.h"

#include <QPainter>
#include <QStaticText>
#include <QStyle>

#include "windows/console/console_lines.h"

namespace orbex {

void ConsoleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const auto* lines = dynamic_cast<const ConsoleLines*>(index.model());
    const QStyle::State styled =
        QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver;
    if (lines == nullptr || (option.state & styled) != 0 || option.widget == nullptr ||
        option.direction != Qt::LeftToRight) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // Where the style puts an item's text: inside its text margin, at the item's top (the item
    // is exactly one line of the font high), in the palette's text colour.
    const int margin =
        option.widget->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) +
        1;
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                               : QPalette::Inactive;
    painter->save();
    painter->setClipRect(option.rect, Qt::IntersectClip);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, QPalette::Text));
    painter->drawStaticText(option.rect.left() + margin, option.rect.top(),
                            lines->Shaped(index.row()));
    painter->restore();
}

}  // namespace orbex
