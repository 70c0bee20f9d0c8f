// The data viewer "ALMANAC/EPHEMERIS data": the stored file's first 64 lines without their line
// ends, and the file's path (shortened) on its "File:" line.
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>

class QLabel;
class QListWidget;

namespace orbex {

class CDataViewerDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CDataViewerDialog(const std::string& path, QWidget* parent = nullptr);

    // The lines the list shows: at most 64, each read up to its line feed but at most 255
    // characters, cut at its first carriage return or line feed. Empty when the file cannot be
    // opened.
    static QStringList ReadShownLines(const std::string& path);

    QStringList listedLines() const;
    QString fileLine() const;

  private:
    QListWidget* list_;
    QLabel* file_;
};

}  // namespace orbex
