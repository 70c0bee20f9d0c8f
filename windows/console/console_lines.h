// The lines of the Console's list: received lines in arrival order and, always last, the
// prompt "|". Every item reports the same size, the list's horizontal extent by one item
// height, so the view lays out in constant time however many lines it keeps, and its
// horizontal scroll range is the widest line seen so far (it never shrinks, like a list box's
// extent).
#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStaticText>
#include <QStringList>

namespace orbex {

class ConsoleLines : public QAbstractListModel {
  public:
    static constexpr const char* kPrompt = "|";

    explicit ConsoleLines(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Inserts text just before the prompt; returns its index.
    int InsertBeforePrompt(const QString& text);
    // Removes count lines from the top (never the prompt).
    void RemoveFromTop(int count);
    // Widens the horizontal extent to width when that is wider; true when it grew.
    bool WidenExtent(int width);
    void SetItemHeight(int height);

    int horizontalExtent() const { return extent_; }
    const QStringList& lines() const { return lines_; }
    // The line as plain text whose glyph layout is kept after its first drawing.
    const QStaticText& Shaped(int row) const { return shaped_[row]; }

  private:
    static QStaticText PlainText(const QString& text);

    QStringList lines_;
    QList<QStaticText> shaped_;  // one per line, in the same order
    int extent_ = 0;
    int itemHeight_ = 16;
};

}  // namespace orbex
