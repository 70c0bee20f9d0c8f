#include "app/orbex_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

#include "app/line_batch.h"
#include "app/main_menu.h"
#include "app/main_picture.h"
#include "app/orbex_resources.h"
#include "app/picture_view.h"
#include "app/port_settings_dialog.h"
#include "app/port_settings_store.h"
#include "app/string_resources.h"
#include "gui/always_on_top.h"
#include "gui/main_window_messages.h"
#include "gui/qt_message_box.h"
#include "gui/shortcut_key.h"
#include "gui/window_place.h"
#include "link/line_queue.h"
#include "platform/message_box.h"
#include "platform/program_directory.h"
#include "platform/settings_store.h"
#include "platform/system_error.h"
#include "platform/window_messages.h"

namespace orbex {

namespace {

// The main window's place in the settings (the monitor windows go by their kinds' names).
const char* const kMainWindowPlace = "main-window";

std::optional<std::string> DialogFile(QWidget* parent, const QString& caption,
                                      const std::string& proposed) {
    // A missing file is created (the logs append), so no overwrite question.
    QString path =
        QFileDialog::getSaveFileName(parent, caption, QString::fromStdString(proposed), QString(),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

void ShowWarning(const QString& text) {
    ShowMessageBox(text.toStdString(), LoadStringResource(kIdsMainTitle).toStdString(),
                   MessageIcon::Warning);
}

// String 40019 with the system error number, error icon.
void ShowWriteFailure(int error) {
    ShowMessageBox(LoadStringResource(kIdsLogWriteFailed)
                       .replace(QStringLiteral("%u"), QString::number(error))
                       .toStdString(),
                   LoadStringResource(kIdsMainTitle).toStdString(), MessageIcon::Error);
}

// The letter keys that open a window, pressed in the main window or, through UWM_KEY_COMMAND,
// in a monitor window (Qt's letter keys are their upper-case characters).
struct LetterCommand {
    std::uintptr_t letter;
    int command;
};
constexpr LetterCommand kLetterCommands[] = {
    {'A', kCmdVelocity}, {'S', kCmdAssistData}, {'T', kCmdTtff}, {'H', kCmdSignalHistory}};

// The command of a letter key; 0 for any other key.
int CommandOfLetter(std::uintptr_t key) {
    for (const LetterCommand& entry : kLetterCommands) {
        if (entry.letter == key) {
            return entry.command;
        }
    }
    return 0;
}

}  // namespace

// --- creation and destruction -------------------------------------------------------------

COrbexWnd::COrbexWnd() {
    setObjectName(QStringLiteral("COrbexWnd"));
    setWindowTitle(LoadStringResource(kIdsMainTitle));
    chooseFile_ = [this](const QString& caption, const std::string& proposed) {
        return DialogFile(this, caption, proposed);
    };
    runPortDialog_ = [](CPortSettingsDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
    dataLog_.SetChooseFile([this](const std::string& proposed) {
        return chooseFile_(QStringLiteral("GPS data log"), proposed);
    });
    // The reader thread reports log events; they are handled here, on the UI thread.
    QPointer<COrbexWnd> self(this);
    dataLog_.SetEventReport([self](DataLogEvent event, int error) {
        QMetaObject::invokeMethod(
            qApp,
            [self, event, error] {
                if (self) {
                    self->dataLog_.HandleEvent(event, error);
                }
            },
            Qt::QueuedConnection);
    });
    SetMainWindowHandler([this](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        return OnPrivateMessage(message, wParam, lParam);
    });
}

COrbexWnd::~COrbexWnd() {
    Shutdown();
    SetMainWindowHandler(nullptr);
    SetMessageBoxOwner(nullptr);
}

bool COrbexWnd::Create() {
    InitOrbexResources();
    QImage background(QString::fromLatin1(kMainPictureResource));
    if (background.isNull()) {
        return false;
    }
    const QImage hand(QString::fromLatin1(kHandCursorResource));
    picture_ = new CPictureView(std::move(background), QPixmap::fromImage(hand), this);
    connect(picture_, &CPictureView::commandChosen, this, [this](int id) { OnCommand(id); });
    connect(picture_, &CPictureView::exitChosen, this, &QWidget::close, Qt::QueuedConnection);
    connect(picture_, &CPictureView::alwaysOnTopToggled, this, [this] { ToggleAlwaysOnTop(); });
    setCentralWidget(picture_);
    // The window itself holds the keyboard focus, so that the menu bar, after an Alt+letter
    // shortcut, hands it back here; without a focus widget the bar kept it and took plain
    // letters as menu mnemonics instead of window keys.
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
    SetMessageBoxOwner(this);
    menu_ = new CMainMenu(
        *menuBar(), [this](int id) { OnCommand(id); }, [this] { UpdateMenuStates(); });
    setWindowIcon(QIcon(QString::fromLatin1(kProgramIconResource)));
    // No size or maximise: the frame fits the picture and the menu bar.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    // The link's state at a glance; not in the title, by which a second copy finds the first.
    statusLine_ = new ElidingLabel(this);
    statusLine_->setObjectName(QStringLiteral("statusLine"));
    statusBar()->addWidget(statusLine_, 1);
    statusBar()->setSizeGripEnabled(false);
    UpdateStatusLine();
    adjustSize();
    setFixedSize(sizeHint());
    // Where the window stood when the program last ended (default place otherwise).
    RestoreWindowPlace(*this, kMainWindowPlace);

    std::int32_t value = 0;
    if (ReadNumber("CONFIG", "CONNECT", value) && value != 0) {
        Connect();
    }
    std::int32_t maxSize = -1;
    ReadNumber("CONFIG", "LOGMAXSIZE", maxSize);
    dataLog_.SetMaxSize(maxSize);
    value = 0;
    if (ReadNumber("CONFIG", "LOGON", value) && value != 0) {
        dataLog_.Start(false);
    }
    value = 0;
    decoder_.SetLatSBeep(ReadNumber("CONFIG", "LatSBeep", value) && value != 0);
    consoleLog_.Stop();
    UpdateMenuStates();
    return true;
}

void COrbexWnd::closeEvent(QCloseEvent* event) {
    Shutdown();
    event->accept();
    QCoreApplication::quit();
}

// Destroys every monitor window, stores whether a link was open, and disconnects. Runs once,
// whether the window was closed or deleted.
void COrbexWnd::Shutdown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    if (isVisible()) {
        RememberWindowPlace(*this, kMainWindowPlace);
    }
    windows_.CloseAll();
    WriteNumber("CONFIG", "CONNECT", connected() ? 1 : 0);
    Disconnect();
    SharedLineQueue().Clear();
}

// --- commands -----------------------------------------------------------------------------

void COrbexWnd::OnCommand(int id) {
    if (MonitorWindowTable::IsWindowCommand(id)) {
        windows_.Open(id);
    } else if (IsAlwaysOnTopCommand(id)) {
        ToggleAlwaysOnTop();
    } else {
        switch (id) {
            case kCmdConfigurePort:
                ConfigurePort();
                break;
            case kCmdConnect:
                Connect();
                break;
            case kCmdDisconnect:
                Disconnect();
                break;
            case kCmdCloseAllWindows:
                CloseAllWindows();
                break;
            case kCmdLogConsole:
                LogConsole();
                break;
            case kCmdStopLoggingConsole:
                StopLoggingConsole();
                break;
            case kCmdAbout:
                ShowVersion();
                break;
            default:
                break;
        }
    }
    UpdateMenuStates();
}

void COrbexWnd::UpdateMenuStates() {
    if (!menu_) {
        return;
    }
    MenuState state;
    state.windowOpen = windows_.openKinds();
    state.connected = connected();
    state.replayPath = replayPath();
    state.consoleLogging = consoleLog_.active();
    state.consoleLogPath = QString::fromStdString(ConsoleLogPath());
    state.alwaysOnTop = alwaysOnTop_;
    menu_->Update(state);
}

QAction* COrbexWnd::action(int id) const {
    return menu_ ? menu_->action(id) : nullptr;
}

void COrbexWnd::CloseAllWindows() {
    windows_.CloseAll();
}

void COrbexWnd::ToggleAlwaysOnTop() {
    alwaysOnTop_ = !alwaysOnTop_;
    SetStaysOnTop(*this, alwaysOnTop_);
    if (picture_) {
        picture_->SetAlwaysOnTop(alwaysOnTop_);
    }
    UpdateMenuStates();
}

// A plain OK box, through the one message function like every other message.
void COrbexWnd::ShowVersion() {
    ShowMessageBox("Orbex 2003 for VM8140 Version 1.04", "Version Information");
}

// --- connection ---------------------------------------------------------------------------

void COrbexWnd::Connect() {
    connection_.Connect();
    UpdateMenuStates();
    UpdateStatusLine();
}

void COrbexWnd::UpdateStatusLine() {
    if (statusLine_ == nullptr) {
        return;
    }
    const LinkStatus status = connection_.Status();
    const QString target = QString::fromStdString(status.target);
    const QString since =
        QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(status.since.time_since_epoch())
                .count())
            .toString(QStringLiteral("HH:mm:ss"));
    switch (status.state) {
        case LinkStatus::State::Closed:
            statusLine_->SetFullText(QStringLiteral("Not connected"));
            break;
        case LinkStatus::State::Connected:
            statusLine_->SetFullText(QStringLiteral("Connected to %1 since %2").arg(target, since));
            break;
        case LinkStatus::State::Lost:
            statusLine_->SetFullText(
                QStringLiteral("%1 lost since %2, trying again").arg(target, since));
            break;
        case LinkStatus::State::Replaying:
            statusLine_->SetFullText(QStringLiteral("Replaying %1").arg(target));
            break;
    }
}

// The "Communication Error" boxes of a lost link have nothing more to say once it is back.
void COrbexWnd::CloseLinkErrorBoxes() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible() &&
            box->text().startsWith(QStringLiteral("Communication Error"))) {
            box->done(QMessageBox::Ok);
        }
    }
}

void COrbexWnd::Disconnect() {
    if (!connection_.Disconnect()) {
        return;
    }
    if (consoleLog_.active()) {
        consoleLog_.Stop();
    }
    UpdateMenuStates();
    UpdateStatusLine();
}

void COrbexWnd::ConfigurePort() {
    PortSettings settings;
    LoadPortSettings(settings);
    CPortSettingsDialog dialog(this, settings, LoadPortAddress());
    dialog.SetReplayPace(connection_.replayPace());
    if (!runPortDialog_(dialog)) {
        return;
    }
    connection_.SetReplayPath(dialog.replayPath());
    connection_.SetReplayPace(dialog.replayPace());
    settings = dialog.settings();
    if (!connection_.ApplyPortSettings(settings)) {
        ShowMessageBox(FormatText("COM Port Initialization Error\nError Code:%d", SystemError()),
                       LoadStringResource(kIdsMainTitle).toStdString(), MessageIcon::Error);
        return;
    }
    SavePortSettings(settings);
    SavePortAddress(dialog.address());
}

// --- logging ------------------------------------------------------------------------------

std::string COrbexWnd::ConsoleLogPath() {
    std::string path;
    if (ReadString("MDUMP", "FILEPATH", path) && !path.empty()) {
        return path;
    }
    return ProgramDirectory() + "GPS_MDUMP.DAT";
}

void COrbexWnd::LogConsole() {
    if (!connected() || consoleLog_.active()) {
        return;
    }
    std::optional<std::string> path = chooseFile_(QStringLiteral("Log Console"), ConsoleLogPath());
    if (!path) {
        return;
    }
    WriteString("MDUMP", "FILEPATH", path->c_str());
    QPointer<COrbexWnd> self(this);
    const ConsoleLog::StartResult result = consoleLog_.Start(*path, [self](int error) {
        // On the reader thread: the log has closed itself; tell the user on the UI thread.
        QMetaObject::invokeMethod(
            qApp,
            [self, error] {
                ShowWriteFailure(error);
                if (self) {
                    self->consoleLog_.Stop();
                    self->UpdateMenuStates();
                }
            },
            Qt::QueuedConnection);
    });
    if (result == ConsoleLog::StartResult::OpenFailed) {
        ShowWarning(FormatStringResource(kIdsLogOpenFailed, QString::fromStdString(*path)));
    } else if (result == ConsoleLog::StartResult::WriteFailed) {
        ShowWriteFailure(consoleLog_.lastError());
    }
}

void COrbexWnd::StopLoggingConsole() {
    consoleLog_.Stop();
}

// --- the data path ------------------------------------------------------------------------

std::intptr_t COrbexWnd::OnPrivateMessage(unsigned message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
    switch (message) {
        case UWM_LINE_QUEUED:
            DrainLineQueue();
            return 0;
        case UWM_WINDOW_CLOSED:
            if (windows_.Forget(wParam)) {
                UpdateMenuStates();
            }
            return 0;
        case UWM_REPLAY_END:
            if (connection_.IsCurrentReplayEnd(lParam)) {
                Disconnect();
            }
            return 0;
        case UWM_LINK_LOST:
            UpdateStatusLine();
            return 0;
        case UWM_LINK_RESTORED:
            UpdateStatusLine();
            CloseLinkErrorBoxes();
            return 0;
        case UWM_SEND_TO_RECEIVER:
            return connection_.Send(reinterpret_cast<const void*>(wParam),
                                    static_cast<std::size_t>(lParam));
        case UWM_QUERY_INPUT_COUNT:
            return connection_.PendingInputCount();
        case UWM_KEY_COMMAND:
            if (wParam < 5) {
                OnCommand(HotRectangles()[wParam].command);
            } else if (const int command = CommandOfLetter(wParam)) {
                OnCommand(command);
            }
            return 0;
        default:
            return 0;
    }
}

void COrbexWnd::DrainLineQueue() {
    // Lines queued meanwhile join the batch. The windows only mark what changed while lines
    // are dispatched (an update, not a paint), so each changed window paints once, when the
    // batch is over.
    const bool more =
        DrainLineBatch(SharedLineQueue(), [this](const std::string& line) { DispatchLine(line); });
    if (more && !drainPending_) {
        // The queue stays non-empty, so no notice comes: drain again once the paints of this
        // batch are done. A zero timer runs after the pending events, repaints included.
        drainPending_ = true;
        QTimer::singleShot(0, this, [this] {
            drainPending_ = false;
            DrainLineQueue();
        });
    }
}

void COrbexWnd::DispatchLine(const std::string& line) {
    windows_.Dispatch(line);
}

// --- keys ---------------------------------------------------------------------------------

bool COrbexWnd::OnKey(int key, bool keypad) {
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        OnCommand(HotRectangles()[key - Qt::Key_1].command);
        return true;
    }
    // End, or the keypad's decimal key (a comma on some keyboards); the keypad's Delete (the
    // same key without Num Lock) is not the decimal key.
    if (key == Qt::Key_End || (keypad && (key == Qt::Key_Period || key == Qt::Key_Comma))) {
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
        return true;
    }
    if (const int command = CommandOfLetter(static_cast<std::uintptr_t>(key))) {
        OnCommand(command);
        return true;
    }
    return false;
}

void COrbexWnd::keyPressEvent(QKeyEvent* event) {
    if (IsShortcutKey(*event) ||
        !OnKey(event->key(), event->modifiers().testFlag(Qt::KeypadModifier))) {
        QMainWindow::keyPressEvent(event);
    }
}

}  // namespace orbex
