#include "handheld/viewer_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <ctime>

#include "handheld/command_dialog.h"
#include "handheld/nmea_fields.h"

namespace orbexce {
namespace {

// Timer periods of the reader's states.
constexpr int kSearchingPeriod = 500;  // reading, no receiver yet; scanning
constexpr int kFoundPeriod = 100;      // reading a receiver
constexpr int kClosedPeriod = 1000;    // no port read
// After "Open" the receiver gets a second to start talking before the first read.
constexpr int kAfterOpenPeriod = 1000 + kSearchingPeriod;
constexpr int kIdleTicksBeforeWait = 11;
constexpr int kFirstScanCountdown = 4;
constexpr int kScanCountdown = 8;
// "GPS Close" is added every second while no port is read: the list keeps a bounded tail.
constexpr int kStatusLimit = 50;

// The desktop's dialog font, at a size whose lines fit the screen's 12- and 13-pixel rows.
QFont ViewerFont() {
    QFont font = QApplication::font();
    font.setPixelSize(10);
    return font;
}

void ShowMessageBox(const QString& text) {
    QMessageBox::warning(nullptr, QStringLiteral("OrbexCE"), text);
}

std::optional<QString> AskCommand(QWidget* parent) {
    CCommandDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.command();
}

std::int64_t WallClockSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

// A received line as the status list shows it: without its terminator, bytes as Latin-1.
QString Displayed(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
}

}  // namespace

CViewerDialog::CViewerDialog(ViewerOptions options, QWidget* parent)
    : QDialog(parent),
      options_(std::move(options)),
      image_(kViewerSize, ViewerFont()),
      screen_(&image_),
      scanButton_(new QPushButton(QStringLiteral("Scan"), this)),
      openButton_(new QPushButton(QStringLiteral("Open"), this)),
      coldButton_(new QPushButton(QStringLiteral("Cold"), this)),
      closeButton_(new QPushButton(QStringLiteral("Close"), this)),
      sendButton_(new QPushButton(QStringLiteral("Send"), this)),
      portList_(new QComboBox(this)),
      statusList_(new QListWidget(this)) {
    if (!options_.messageBox) {
        options_.messageBox = ShowMessageBox;
    }
    if (!options_.askCommand) {
        options_.askCommand = AskCommand;
    }
    if (!options_.now) {
        options_.now = WallClockSeconds;
    }
    setWindowTitle(QStringLiteral("OrbexCE"));
    setFont(ViewerFont());
    setFixedSize(kViewerSize);
    // Static controls stand on white.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    // The controls are placed at the first tick; until then they are not shown.
    for (QWidget* control :
         std::initializer_list<QWidget*>{scanButton_, openButton_, coldButton_, closeButton_,
                                         sendButton_, portList_, statusList_}) {
        control->hide();
    }
    for (QPushButton* button : {scanButton_, openButton_, coldButton_, closeButton_, sendButton_}) {
        button->setAutoDefault(false);
    }
    // Little padding, so that "Com10 None" fits the 80-pixel box beside its arrow.
    portList_->setStyleSheet(QStringLiteral("QComboBox { padding: 0px 0px 0px 2px; }"));
    statusList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    statusList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(scanButton_, &QPushButton::clicked, this, &CViewerDialog::OnScan);
    connect(openButton_, &QPushButton::clicked, this, &CViewerDialog::OnOpen);
    connect(coldButton_, &QPushButton::clicked, this, &CViewerDialog::OnCold);
    connect(closeButton_, &QPushButton::clicked, this, &CViewerDialog::OnClose);
    connect(sendButton_, &QPushButton::clicked, this, &CViewerDialog::OnSend);
    connect(portList_, &QComboBox::activated, this, &CViewerDialog::OnPortChosen);
    timer_.setSingleShot(true);
    // The periods are 500, 100 and 1000 ms as they are set, not rounded by a coarse timer.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &CViewerDialog::OnTimer);

    for (int i = 0; i < kPortCount; ++i) {
        portList_->addItem(QStringLiteral("COM%1").arg(i + 1));
    }
    portList_->setCurrentIndex(0);
    chosen_ = 0;
    startTime_ = options_.now();
    if (options_.openAtStart) {
        current_ = 0;
        if (OpenPort(current_)) {
            AddStatus(QString::asprintf("Open Com%d ", current_ + 1));
            reading_ = true;
        } else {
            const QString text = QString::asprintf("Open Com%d Error", current_ + 1);
            options_.messageBox(text);
            AddStatus(text);
        }
    }
    RestartTimer(kSearchingPeriod);
}

CViewerDialog::~CViewerDialog() = default;

void CViewerDialog::SetDrawing(ViewerDrawing* drawing) {
    screen_.SetDrawing(drawing != nullptr ? drawing : &image_);
}

void CViewerDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_.screen());
}

void CViewerDialog::RestartTimer(int milliseconds) {
    timer_.start(milliseconds);
}

void CViewerDialog::OnTimer() {
    timer_.stop();
    if (reading_) {
        ReadAndProcess();
    }
    if (firstTick_) {
        ShowFirstScreen();
    }
    if (scanning_) {
        TrimStatus(3);
        if (countdown_ > 0) {
            --countdown_;
        } else {
            ScanStep();
        }
    }
    if (reading_) {
        RestartTimer(found_ ? kFoundPeriod : kSearchingPeriod);
    } else {
        AddStatus(QStringLiteral("GPS Close"));
        CloseAllPorts();
        screen_.PaintStatic();
        update();
        RestartTimer(kClosedPeriod);
    }
}

void CViewerDialog::ShowFirstScreen() {
    firstTick_ = false;
    PlaceControls();
    screen_.PaintStatic();
    update();
}

void CViewerDialog::PlaceControls() {
    scanButton_->setGeometry(0, 0, 38, 35);
    openButton_->setGeometry(45, 0, 38, 35);
    coldButton_->setGeometry(90, 0, 38, 35);
    closeButton_->setGeometry(135, 0, 38, 35);
    sendButton_->setGeometry(180, 0, 38, 35);
    // The drop-down's closed box: as tall as its text needs (its list opens below).
    portList_->setGeometry(0, 35, 80, 20);
    statusList_->setGeometry(160, 160, 100, 35);
    for (QWidget* control :
         std::initializer_list<QWidget*>{scanButton_, openButton_, coldButton_, closeButton_,
                                         sendButton_, portList_, statusList_}) {
        control->show();
    }
}

void CViewerDialog::ReadAndProcess() {
    ViewerPort& port = CurrentPort();
    if (!port.IsOpen()) {
        if (found_) {
            AddStatus(QStringLiteral("Port Invalid"));
        }
        return;
    }
    std::array<char, kReadSize> bytes{};
    long count = 0;
    const long queued = port.Queued();
    if (queued < 0) {
        port.DiscardInput();
        AddStatus(QStringLiteral("Clear error"));
    } else if (queued > 0) {
        count = port.Read(bytes.data(), std::min<std::size_t>(kReadSize, queued));
    }
    TrimStatus(4);
    if (count > 0) {
        idleTicks_ = 0;
        ProcessBytes(bytes.data(), static_cast<std::size_t>(count));
        return;
    }
    if (++idleTicks_ >= kIdleTicksBeforeWait) {
        AddStatus(QStringLiteral("Wait NMEA"));
        idleTicks_ = 0;
        startTime_ = options_.now();
        screen_.BlankLongitude();
        screen_.PaintStatic();
        update();
    }
}

void CViewerDialog::ProcessBytes(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        // One place stays free for the terminating zero the line gets on its line feed. A
        // longer line is dropped whole, with a note in the status list.
        if (lineFill_ < kLineBufferSize - 1) {
            line_[lineFill_++] = bytes[i];
        } else {
            lineTooLong_ = true;
        }
        if (bytes[i] != '\n') {
            continue;
        }
        if (lineTooLong_) {
            AddStatus(QStringLiteral("Line too long, dropped"));
        } else {
            ProcessSentence(std::string_view(line_.data(), lineFill_));
        }
        update();
        lineFill_ = 0;
        lineTooLong_ = false;
        TrimStatus(4);
    }
}

void CViewerDialog::ProcessSentence(std::string_view line) {
    AddStatus(Displayed(line));
    if (!ChecksumValid(line)) {
        return;
    }
    if (!found_) {
        TakeReceiver();
    }
    switch (KindOf(line)) {
        case SentenceKind::Gga:
            ParseGga(line, record_);
            screen_.PaintAltitude(record_);
            break;
        case SentenceKind::Gsa:
            ParseGsa(line, record_);
            screen_.PaintSolution(record_, SecondsText());
            break;
        case SentenceKind::Gsv:
            ParseGsv(line, record_);
            if (record_.gsvNumber == record_.gsvTotal) {
                screen_.PaintSky(record_);
            }
            break;
        case SentenceKind::Rmc:
            ParseRmc(line, record_);
            screen_.PaintMotion(record_);
            break;
        case SentenceKind::Other:
            break;
    }
    update();
}

QString CViewerDialog::SecondsText() {
    if (record_.fixMode == 1) {
        elapsedShown_ = options_.now() - startTime_;
        return QString::asprintf("%llds  ", static_cast<long long>(elapsedShown_));
    }
    return QString::asprintf("%llds", static_cast<long long>(elapsedShown_));
}

void CViewerDialog::TakeReceiver() {
    chosen_ = current_;
    portList_->setCurrentIndex(current_);
    SetPortLabel(current_, QString::asprintf("Com%i GPS", current_ + 1));
    found_ = true;
    scanning_ = false;
    for (int i = current_ + 1; i < kPortCount; ++i) {
        SetPortLabel(i, QString::asprintf("Com%i", i + 1));
    }
}

void CViewerDialog::OnScan() {
    found_ = false;
    scanning_ = true;
    current_ = 0;
    firstScanStep_ = true;
    countdown_ = kFirstScanCountdown;
    statusList_->clear();
    reading_ = true;
    RestartTimer(kSearchingPeriod);
}

void CViewerDialog::ScanStep() {
    CurrentPort().Close();
    for (;;) {
        if (firstScanStep_) {
            firstScanStep_ = false;
        } else {
            ++current_;
        }
        if (current_ >= kPortCount) {
            AddStatus(QStringLiteral("Auto False"));
            // The index stays on a port entry (COM10), all of them closed.
            current_ = kPortCount - 1;
            CloseAllPorts();
            reading_ = false;
            scanning_ = false;
            update();
            return;
        }
        if (OpenPort(current_)) {
            const QString label = QString::asprintf("Com%i None", current_ + 1);
            AddStatus(label);
            SetPortLabel(current_, label);
            countdown_ = kScanCountdown;
            return;
        }
        const QString label = QString::asprintf("Com%i fail", current_ + 1);
        AddStatus(label);
        SetPortLabel(current_, label);
        CurrentPort().Close();
    }
}

bool CViewerDialog::OpenPort(int index) {
    // A new port starts a new line: what was half-received from the old one is not kept.
    lineFill_ = 0;
    lineTooLong_ = false;
    idleTicks_ = 0;
    ViewerPort& port = ports_[static_cast<std::size_t>(index)];
    if (!port.Open(options_.ports[static_cast<std::size_t>(index)])) {
        return false;
    }
    // Only one port is open at a time. The others close once this one is open, so that a
    // port that cannot be opened does not cost the one being read.
    for (int i = 0; i < kPortCount; ++i) {
        if (i != index) {
            ports_[static_cast<std::size_t>(i)].Close();
        }
    }
    return true;
}

void CViewerDialog::CloseAllPorts() {
    for (ViewerPort& port : ports_) {
        port.Close();
    }
}

void CViewerDialog::OnOpen() {
    const int previous = current_;
    current_ = chosen_;
    TrimStatus(1);
    if (!OpenPort(current_)) {
        const QString text = QString::asprintf("Open Com%d Error", current_ + 1);
        // A port still being read stays the current one: the failed choice costs nothing.
        if (ports_[static_cast<std::size_t>(previous)].IsOpen()) {
            current_ = previous;
        }
        options_.messageBox(text);
        AddStatus(text);
        return;
    }
    AddStatus(QString::asprintf("Open Com%d ", current_ + 1));
    screen_.PaintStatic();
    update();
    found_ = false;
    scanning_ = false;
    reading_ = true;
    RestartTimer(kAfterOpenPeriod);
}

void CViewerDialog::OnCold() {
    CurrentPort().Write(std::string("@CD\r"));
    startTime_ = options_.now();
}

void CViewerDialog::OnClose() {
    reading_ = false;
    found_ = false;
    // A scan in progress ends too: otherwise its next step would open the next port again.
    scanning_ = false;
    CloseAllPorts();
}

void CViewerDialog::OnSend() {
    const std::optional<QString> command = options_.askCommand(this);
    if (!command) {
        return;
    }
    std::string bytes;
    for (const QChar c : *command) {
        bytes.push_back(static_cast<char>(c.unicode() & 0xFF));
    }
    bytes.push_back('\r');
    CurrentPort().Write(bytes);
    startTime_ = options_.now();
}

void CViewerDialog::OnPortChosen(int index) {
    chosen_ = index;
    AddStatus(QString::asprintf("Select Com:%d", index + 1));
}

void CViewerDialog::AddStatus(const QString& line) {
    statusList_->addItem(line);
    TrimStatus(kStatusLimit);
    statusList_->scrollToBottom();
}

void CViewerDialog::TrimStatus(int keep) {
    while (statusList_->count() > keep) {
        delete statusList_->takeItem(0);
    }
}

void CViewerDialog::SetPortLabel(int index, const QString& label) {
    portList_->setItemText(index, label);
}

QStringList CViewerDialog::StatusLines() const {
    QStringList lines;
    for (int i = 0; i < statusList_->count(); ++i) {
        lines << statusList_->item(i)->text();
    }
    return lines;
}

QString CViewerDialog::PortLabel(int index) const {
    return portList_->itemText(index);
}

}  // namespace orbexce
