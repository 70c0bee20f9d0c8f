// The texts a window draws at every paint (labels, and values that did not change since the
// last one), each laid out once: a text's glyph layout and width in a font are kept and reused
// until the cache holds kMaxTexts texts, when it starts afresh.
#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

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
    QHash<QString, QHash<QString, Entry>> byFont_;  // by QFont::key(), then by text
    int count_ = 0;
};

}  // namespace orbex
