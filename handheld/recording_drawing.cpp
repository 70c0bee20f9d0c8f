#include "handheld/recording_drawing.h"

#include <QFont>
#include <QFontMetrics>

namespace orbexce {
namespace {

QString JsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString ColorJson(const QColor& color) {
    if (!color.isValid()) {
        return QStringLiteral("null");
    }
    return QLatin1Char('"') + color.name(QColor::HexRgb).toUpper() + QLatin1Char('"');
}

// Left, top, right, bottom, right and bottom outside, as the rectangles were given.
QString RectJson(const QRect& r) {
    return QStringLiteral("[%1,%2,%3,%4]")
        .arg(r.left())
        .arg(r.top())
        .arg(r.left() + r.width())
        .arg(r.top() + r.height());
}

QString PlaneJson(Plane plane) {
    return plane == Plane::Screen ? QStringLiteral("\"screen\"") : QStringLiteral("\"memory\"");
}

}  // namespace

DrawnCall& RecordingDrawing::Add(DrawnCall::Op op, Plane plane) {
    DrawnCall& call = calls_.emplace_back();
    call.op = op;
    call.plane = plane;
    return call;
}

void RecordingDrawing::AddShape(DrawnCall::Op op, Plane plane, const QRect& rect, const QColor& pen,
                                const QColor& brush) {
    DrawnCall& c = Add(op, plane);
    c.rect = rect;
    c.pen = pen;
    c.brush = brush;
}

void RecordingDrawing::Fill(Plane plane, const QRect& rect, const QColor& color) {
    DrawnCall& c = Add(DrawnCall::Op::Fill, plane);
    c.rect = rect;
    c.fg = color;
    if (inner_ != nullptr) {
        inner_->Fill(plane, rect, color);
    }
}

void RecordingDrawing::Rectangle(Plane plane, const QRect& rect, const QColor& pen,
                                 const QColor& brush) {
    AddShape(DrawnCall::Op::Rectangle, plane, rect, pen, brush);
    if (inner_ != nullptr) {
        inner_->Rectangle(plane, rect, pen, brush);
    }
}

void RecordingDrawing::Ellipse(Plane plane, const QRect& rect, const QColor& pen,
                               const QColor& brush) {
    AddShape(DrawnCall::Op::Ellipse, plane, rect, pen, brush);
    if (inner_ != nullptr) {
        inner_->Ellipse(plane, rect, pen, brush);
    }
}

void RecordingDrawing::Text(Plane plane, const QRect& rect, const QString& text, const QColor& fg,
                            const QColor& bg) {
    DrawnCall& c = Add(DrawnCall::Op::Text, plane);
    c.rect = rect;
    c.text = text;
    c.extent = TextExtent(text);
    c.fg = fg;
    c.bg = bg;
    if (inner_ != nullptr) {
        inner_->Text(plane, rect, text, fg, bg);
    }
}

void RecordingDrawing::CopyToScreen(const QRect& source, QPoint to) {
    DrawnCall& c = Add(DrawnCall::Op::Copy, Plane::Screen);
    c.rect = source;
    c.to = to;
    if (inner_ != nullptr) {
        inner_->CopyToScreen(source, to);
    }
}

QSize RecordingDrawing::TextExtent(const QString& text) const {
    if (inner_ != nullptr) {
        return inner_->TextExtent(text);
    }
    const QFontMetrics metrics{QFont()};
    return {metrics.horizontalAdvance(text), metrics.height()};
}

std::vector<const DrawnCall*> RecordingDrawing::TextsStartingWith(const QString& prefix) const {
    std::vector<const DrawnCall*> found;
    for (const DrawnCall& c : calls_) {
        if (c.op == DrawnCall::Op::Text && c.text.startsWith(prefix)) {
            found.push_back(&c);
        }
    }
    return found;
}

QStringList RecordingDrawing::ToJsonLines() const {
    QStringList lines;
    for (const DrawnCall& c : calls_) {
        QString json;
        switch (c.op) {
            case DrawnCall::Op::Fill:
                json = QStringLiteral("{\"op\":\"fill\",\"surface\":%1,\"rect\":%2,\"color\":%3}")
                           .arg(PlaneJson(c.plane), RectJson(c.rect), ColorJson(c.fg));
                break;
            case DrawnCall::Op::Rectangle:
            case DrawnCall::Op::Ellipse:
                json = QStringLiteral(
                           "{\"op\":\"%1\",\"surface\":%2,\"rect\":%3,\"pen\":%4,"
                           "\"brush\":%5}")
                           .arg(c.op == DrawnCall::Op::Rectangle ? QStringLiteral("rectangle")
                                                                 : QStringLiteral("ellipse"),
                                PlaneJson(c.plane), RectJson(c.rect), ColorJson(c.pen),
                                ColorJson(c.brush));
                break;
            case DrawnCall::Op::Text:
                // Joined rather than arg()-ed: a "%1" inside the text must stay as it is.
                json = QStringLiteral("{\"op\":\"text\",\"surface\":") + PlaneJson(c.plane) +
                       QStringLiteral(",\"rect\":") + RectJson(c.rect) +
                       QStringLiteral(",\"text\":") + JsonString(c.text) +
                       QStringLiteral(",\"size\":[%1,%2],\"fg\":%3,\"bg\":%4}")
                           .arg(c.extent.width())
                           .arg(c.extent.height())
                           .arg(ColorJson(c.fg), ColorJson(c.bg));
                break;
            case DrawnCall::Op::Copy:
                json = QStringLiteral("{\"op\":\"copy\",\"from\":%1,\"to\":[%2,%3]}")
                           .arg(RectJson(c.rect))
                           .arg(c.to.x())
                           .arg(c.to.y());
                break;
        }
        lines << json;
    }
    return lines;
}

}  // namespace orbexce
