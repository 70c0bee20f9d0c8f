#include "gui/recording_surface.h"

#include <QFontMetrics>
#include <algorithm>
#include <iterator>

namespace orbex {
namespace {

// The characters written as a two-character escape; other control characters are written as
// "\u00XX".
struct Escape {
    char16_t character;
    const char* text;
};
constexpr Escape kEscapes[] = {
    {u'"', "\\\""}, {u'\\', "\\\\"}, {u'\n', "\\n"}, {u'\r', "\\r"}, {u'\t', "\\t"},
};

QString JsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        const auto escape =
            std::find_if(std::begin(kEscapes), std::end(kEscapes),
                         [c](const Escape& e) { return e.character == c.unicode(); });
        if (escape != std::end(kEscapes)) {
            out += QLatin1String(escape->text);
        } else if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
        } else {
            out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString RectJson(const QRect& r) {
    // Left, top, right, bottom with right and bottom exclusive, as the windows' rectangles are.
    return QStringLiteral("[%1,%2,%3,%4]")
        .arg(r.left())
        .arg(r.top())
        .arg(r.left() + r.width())
        .arg(r.top() + r.height());
}

// The calls' names in the JSON lines, in the order of DrawCall::Op.
constexpr const char* kOpNames[] = {"fill",     "rectangle", "ellipse", "line", "text",
                                    "textrect", "bitmap",    "invert",  "item"};
static_assert(std::size(kOpNames) == static_cast<std::size_t>(DrawCall::Op::Item) + 1);

const char* OpName(DrawCall::Op op) {
    return kOpNames[static_cast<std::size_t>(op)];
}

}  // namespace

QString ColorJson(const QColor& color) {
    if (!color.isValid()) {
        return QStringLiteral("null");
    }
    return QLatin1Char('"') + color.name(QColor::HexRgb).toUpper() + QLatin1Char('"');
}

RecordingSurface::RecordingSurface() : font_(QStringLiteral("Courier New")) {}

DrawCall& RecordingSurface::Add(DrawCall::Op op) {
    DrawCall& call = calls_.emplace_back();
    call.op = op;
    call.tag = tag_;
    return call;
}

void RecordingSurface::Fill(const QRect& rect, const QColor& color) {
    DrawCall& c = Add(DrawCall::Op::Fill);
    c.rect = rect;
    c.fg = color;
}

void RecordingSurface::AddShape(DrawCall::Op op, const QRect& rect, const QColor& pen,
                                const QColor& brush) {
    DrawCall& c = Add(op);
    c.rect = rect;
    c.pen = pen;
    c.brush = brush;
}

DrawCall& RecordingSurface::AddText(DrawCall::Op op, const QString& text, const QColor& fg,
                                    const QColor& bg) {
    DrawCall& c = Add(op);
    c.text = text;
    c.fg = fg;
    c.bg = bg;
    c.font = QStringLiteral("%1 %2").arg(font_.family()).arg(font_.pixelSize());
    return c;
}

void RecordingSurface::Rectangle(const QRect& rect, const QColor& pen, const QColor& brush) {
    AddShape(DrawCall::Op::Rectangle, rect, pen, brush);
}

void RecordingSurface::Ellipse(const QRect& rect, const QColor& pen, const QColor& brush) {
    AddShape(DrawCall::Op::Ellipse, rect, pen, brush);
}

void RecordingSurface::Line(QPoint from, QPoint to, const QColor& pen, int width) {
    DrawCall& c = Add(DrawCall::Op::Line);
    c.from = from;
    c.to = to;
    c.pen = pen;
    c.width = width;
}

void RecordingSurface::TextOut(int x, int y, const QString& text, const QColor& fg,
                               const QColor& bg) {
    DrawCall& c = AddText(DrawCall::Op::Text, text, fg, bg);
    c.from = QPoint(x, y);
    c.rect = QRect(QPoint(x, y), TextExtent(text));
}

void RecordingSurface::TextInRect(const QRect& rect, int alignment, const QString& text,
                                  const QColor& fg, const QColor& bg) {
    DrawCall& c = AddText(DrawCall::Op::TextInRect, text, fg, bg);
    c.rect = rect;
    c.alignment = alignment;
}

void RecordingSurface::Bitmap(QPoint topLeft, const QImage& image) {
    DrawCall& c = Add(DrawCall::Op::Bitmap);
    c.rect = QRect(topLeft, image.size());
    c.text = image.text(QStringLiteral("name"));
}

void RecordingSurface::Invert(const QRect& rect) {
    Add(DrawCall::Op::Invert).rect = rect;
}

void RecordingSurface::SetFont(const QFont& font) {
    font_ = font;
}

QSize RecordingSurface::TextExtent(const QString& text) const {
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void RecordingSurface::Item(const QString& text) {
    Add(DrawCall::Op::Item).text = text;
}

QStringList RecordingSurface::Texts() const {
    QStringList texts;
    for (const DrawCall& c : calls_) {
        if (c.op == DrawCall::Op::Text || c.op == DrawCall::Op::TextInRect) {
            texts << c.text;
        }
    }
    return texts;
}

const DrawCall* RecordingSurface::FindText(const QString& needle) const {
    for (const DrawCall& c : calls_) {
        if ((c.op == DrawCall::Op::Text || c.op == DrawCall::Op::TextInRect) &&
            c.text.contains(needle)) {
            return &c;
        }
    }
    return nullptr;
}

QStringList RecordingSurface::ToJsonLines() const {
    QStringList lines;
    for (const DrawCall& c : calls_) {
        QString json = QStringLiteral("{\"op\":\"%1\"").arg(QLatin1String(OpName(c.op)));
        if (!c.tag.isEmpty()) {
            json += QStringLiteral(",\"child\":") + JsonString(c.tag);
        }
        switch (c.op) {
            case DrawCall::Op::Fill:
                json += QStringLiteral(",\"rect\":%1,\"color\":%2")
                            .arg(RectJson(c.rect), ColorJson(c.fg));
                break;
            case DrawCall::Op::Rectangle:
            case DrawCall::Op::Ellipse:
                json += QStringLiteral(",\"rect\":%1,\"pen\":%2,\"brush\":%3")
                            .arg(RectJson(c.rect), ColorJson(c.pen), ColorJson(c.brush));
                break;
            case DrawCall::Op::Line:
                json += QStringLiteral(",\"from\":[%1,%2],\"to\":[%3,%4],\"pen\":%5")
                            .arg(c.from.x())
                            .arg(c.from.y())
                            .arg(c.to.x())
                            .arg(c.to.y())
                            .arg(ColorJson(c.pen));
                if (c.width != 1) {
                    json += QStringLiteral(",\"width\":%1").arg(c.width);
                }
                break;
            case DrawCall::Op::Text:
                json += QStringLiteral(",\"x\":%1,\"y\":%2,\"text\":%3,\"fg\":%4,\"bg\":%5")
                            .arg(c.from.x())
                            .arg(c.from.y())
                            .arg(JsonString(c.text), ColorJson(c.fg), ColorJson(c.bg));
                break;
            case DrawCall::Op::TextInRect:
                json += QStringLiteral(",\"rect\":%1,\"text\":%2,\"fg\":%3,\"bg\":%4")
                            .arg(RectJson(c.rect), JsonString(c.text), ColorJson(c.fg),
                                 ColorJson(c.bg));
                break;
            case DrawCall::Op::Bitmap:
                json += QStringLiteral(",\"rect\":%1").arg(RectJson(c.rect));
                if (!c.text.isEmpty()) {
                    json += QStringLiteral(",\"name\":") + JsonString(c.text);
                }
                break;
            case DrawCall::Op::Invert:
                json += QStringLiteral(",\"rect\":%1").arg(RectJson(c.rect));
                break;
            case DrawCall::Op::Item:
                json += QStringLiteral(",\"text\":") + JsonString(c.text);
                break;
        }
        lines << json + QLatin1Char('}');
    }
    return lines;
}

}  // namespace orbex
