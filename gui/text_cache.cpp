#include "gui/text_cache.h"

#include <QFontMetrics>

namespace orbex {

TextCache::Texts& TextCache::TextsIn(const QFont& font) {
    for (auto& [known, texts] : byFont_) {
        if (known == font) {
            return texts;
        }
    }
    return byFont_.emplace_back(font, Texts()).second;
}

const TextCache::Entry& TextCache::Get(const QFont& font, const QString& text) {
    Texts& texts = TextsIn(font);
    if (const auto found = texts.constFind(text); found != texts.constEnd()) {
        return *found;
    }
    if (count_ >= kMaxTexts) {
        // Values that change at every epoch would otherwise fill it without end.
        byFont_.clear();
        count_ = 0;
        return Get(font, text);
    }
    Entry entry;
    entry.shaped = QStaticText(text);
    entry.shaped.setTextFormat(Qt::PlainText);
    entry.shaped.setPerformanceHint(QStaticText::ModerateCaching);
    entry.width = QFontMetrics(font).horizontalAdvance(text);
    ++count_;
    return *texts.insert(text, std::move(entry));
}

}  // namespace orbex
