// The texts a window draws at every paint (labels, and values that did not change since the
// last one), each laid out once: a text's glyph layout and width in a font are kept and reused
// until the cache holds kMaxTexts texts, when it starts afresh.
#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <utility>
#include <vector>

namespace orbex {

class TextCache {
  public:
    static constexpr int kMaxTexts = 512;

    struct Entry {
        QStaticText shaped;  // plain text, laid out at its first drawing
        int width = 0;       // its advance in the font, as QFontMetrics measures it
    };

    // The entry of `text` in `font`, made on its first use.
    const Entry& Get(const QFont& font, const QString& text);
    int size() const { return count_; }

  private:
    using Texts = QHash<QString, Entry>;

    // The texts of `font`. A window draws in a handful of fonts, so they are found by
    // comparing fonts, which is much cheaper than making a font's key at every text.
    Texts& TextsIn(const QFont& font);

    std::vector<std::pair<QFont, Texts>> byFont_;
    int count_ = 0;
};

}  // namespace orbex
