#include "tools/transfer/data_viewer_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>

#include "gui/list_item_texts.h"
#include "tools/transfer/viewer_path.h"

namespace orbex {

CDataViewerDialog::CDataViewerDialog(const std::string& path, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ALMANAC/EPHEMERIS data"));
    list_ = new QListWidget(this);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    list_->setFont(fixed);
    list_->addItems(ReadShownLines(path));
    file_ = new QLabel(QStringLiteral("File:") + QString::fromStdString(ShortenPathForViewer(path)),
                       this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(file_, 1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(bottom);
    // Wide enough for a receiver's data line, and the widest line scrolls into view.
    resize(QFontMetrics(fixed).horizontalAdvance(QString(48, QLatin1Char('W'))), 420);
}

QStringList CDataViewerDialog::ReadShownLines(const std::string& path) {
    constexpr int kShownLines = 64;
    constexpr int kLineLimit = 255;
    QStringList lines;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        return lines;
    }
    char buffer[kLineLimit + 1];
    while (lines.size() < kShownLines && std::fgets(buffer, sizeof buffer, file.get())) {
        std::string line(buffer);
        line.resize(line.find_first_of("\r\n") == std::string::npos ? line.size()
                                                                    : line.find_first_of("\r\n"));
        lines.push_back(QString::fromLatin1(line.data(), static_cast<int>(line.size())));
    }
    return lines;
}

QStringList CDataViewerDialog::listedLines() const {
    return ListItemTexts(*list_);
}

QString CDataViewerDialog::fileLine() const {
    return file_->text();
}

}  // namespace orbex
