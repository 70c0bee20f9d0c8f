#include "tools/ttff/ttff_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/main_window_messages.h"
#include "platform/message_box.h"
#include "platform/program_directory.h"
#include "platform/window_messages.h"
#include "tools/ttff/ttff_chart.h"
#include "tools/ttff/ttff_result_file.h"

namespace orbex {
namespace {

// The "Rec_Log" box is unticked when the program starts and shows its last state when the
// window opens again. Only the user-interface thread touches it.
bool rememberedRecordLog = false;

QPushButton* Button(const char* text, int id, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* Box(int id, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::number(id));
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(80);
    return box;
}

// A list line without the line feed some texts end in.
QString ListText(const std::string& text) {
    std::string shown = text;
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) {
        shown.pop_back();
    }
    return QString::fromLatin1(shown.data(), static_cast<int>(shown.size()));
}

}  // namespace

CTtffDlg::CTtffDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags),
      startMode_(new QComboBox(this)),
      maxCount_(new QComboBox(this)),
      time_(new QComboBox(this)),
      recordLog_(new QCheckBox(QStringLiteral("Rec_Log"), this)),
      resultList_(new QListWidget(this)),
      countBox_(Box(1047, this)),
      averageBox_(Box(1046, this)),
      chart_(new TtffChart(this)),
      random_(static_cast<std::minstd_rand::result_type>(std::time(nullptr))),
      control_(
          *this,
          [](StartMode mode) {
              return ResultFilePath(ProgramDirectory(), mode, std::time(nullptr));
          },
          [this] { return std::uniform_int_distribution<int>(0, 32767)(random_); },
          [] { HandlePendingSends(); }) {
    setWindowTitle(QStringLiteral("TTFF Window"));
    startMode_->setObjectName(QStringLiteral("1065"));
    maxCount_->setObjectName(QStringLiteral("1066"));
    time_->setObjectName(QStringLiteral("1067"));
    recordLog_->setObjectName(QStringLiteral("1068"));
    resultList_->setObjectName(QStringLiteral("1041"));
    for (const StartModeTexts& mode : kStartModes) {
        startMode_->addItem(QString::fromLatin1(mode.listEntry));
    }
    for (const ListEntry& entry : kMaxCountEntries) {
        maxCount_->addItem(QString::fromLatin1(entry.text));
    }
    for (const ListEntry& entry : kTimeEntries) {
        time_->addItem(QString::fromLatin1(entry.text));
    }
    recordLog_->setChecked(rememberedRecordLog);
    connect(recordLog_, &QCheckBox::toggled, this, [](bool on) { rememberedRecordLog = on; });

    auto* settings = new QGridLayout;
    settings->addWidget(new QLabel(QStringLiteral("Start Mode"), this), 0, 0);
    settings->addWidget(startMode_, 0, 1);
    settings->addWidget(new QLabel(QStringLiteral("Max Count"), this), 1, 0);
    settings->addWidget(maxCount_, 1, 1);
    settings->addWidget(new QLabel(QStringLiteral("Time"), this), 2, 0);
    settings->addWidget(time_, 2, 1);
    settings->addWidget(recordLog_, 3, 0, 1, 2);
    QPushButton* start = Button("START", 1051, this);
    QPushButton* stop = Button("STOP", 1053, this);
    QPushButton* clear = Button("CLEAR", 1054, this);
    QPushButton* close = Button("CLOSE", 2, this);
    settings->addWidget(start, 4, 0);
    settings->addWidget(stop, 4, 1);
    settings->addWidget(clear, 5, 0);
    settings->addWidget(close, 5, 1);
    settings->addWidget(new QLabel(QStringLiteral("Count"), this), 6, 0);
    settings->addWidget(countBox_, 6, 1);
    settings->addWidget(new QLabel(QStringLiteral("Average"), this), 7, 0);
    settings->addWidget(averageBox_, 7, 1);
    settings->setRowStretch(8, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(settings);
    resultList_->setMinimumWidth(260);
    layout->addWidget(resultList_, 1);
    layout->addWidget(chart_, 2);
    resize(900, 340);

    connect(start, &QPushButton::clicked, this, &CTtffDlg::OnStart);
    connect(stop, &QPushButton::clicked, this, &CTtffDlg::OnStop);
    connect(clear, &QPushButton::clicked, this, &CTtffDlg::OnClear);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(&seriesTimer_, &QTimer::timeout, this, [this] { control_.Tick(); });
}

CTtffDlg::~CTtffDlg() {
    // A running cycle is cancelled and its worker joined while sends to the main window are
    // still served, before the controls it reports to go away.
    control_.Shutdown();
}

void CTtffDlg::OnStart() {
    TtffSelection selection;
    selection.mode = static_cast<StartMode>(std::max(0, startMode_->currentIndex()));
    selection.maxCount = kMaxCountEntries[std::max(0, maxCount_->currentIndex())].value;
    selection.interval = kTimeEntries[std::max(0, time_->currentIndex())].value;
    selection.recordLog = recordLog_->isChecked();
    control_.Start(selection);
}

void CTtffDlg::OnStop() {
    control_.Stop();
}

void CTtffDlg::OnClear() {
    control_.Clear();
}

// The worker's reports are queued to this thread in the order they were made; a report queued
// when the dialog has gone is dropped with it.
void CTtffDlg::AddResultLine(const std::string& text) {
    QMetaObject::invokeMethod(
        this,
        [this, shown = ListText(text)] {
            resultList_->addItem(shown);
            resultList_->scrollToBottom();
        },
        Qt::QueuedConnection);
}

void CTtffDlg::ShowCountAndAverage(double count, int average) {
    QMetaObject::invokeMethod(
        this,
        [this, count, average] {
            countBox_->setText(QString::number(static_cast<long long>(count)));
            averageBox_->setText(QString::number(average));
        },
        Qt::QueuedConnection);
}

void CTtffDlg::ClearResults() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            resultList_->clear();
            countBox_->clear();
            averageBox_->clear();
            chart_->ClearResults();
        },
        Qt::QueuedConnection);
}

// Only counted results enter the picture (the hot path's 1 s included); failed and stopped
// cycles are in the list only.
void CTtffDlg::OnCycleEnded(const CycleReport& report) {
    if (report.end != CycleEnd::Result) {
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, ttff = report.ttff] { chart_->AddResult(ttff); }, Qt::QueuedConnection);
}

void CTtffDlg::SendToReceiver(std::string_view bytes) {
    // Blocks until the main window has written the bytes; the window's join keeps serving it.
    SendToMainWindow(UWM_SEND_TO_RECEIVER, reinterpret_cast<std::uintptr_t>(bytes.data()),
                     static_cast<std::intptr_t>(bytes.size()));
}

void CTtffDlg::ShowError(const std::string& text) {
    ShowMessageBox(text, kErrorCaption, MessageIcon::Information);
}

void CTtffDlg::SetSeriesTimer(bool running) {
    if (running) {
        seriesTimer_.start(1000);
    } else {
        seriesTimer_.stop();
    }
}

}  // namespace orbex
