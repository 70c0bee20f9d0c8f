#include "app/orbex_wnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <chrono>
#include <thread>

#include "app/data_transfer_mode.h"
#include "app/main_picture.h"
#include "app/orbex_resources.h"
#include "app/placeholder_window.h"
#include "app/port_settings_dialog.h"
#include "app/port_settings_store.h"
#include "app/program_directory.h"
#include "app/string_resources.h"
#include "decode/decode_line.h"
#include "decode/decoding_state.h"
#include "gui/always_on_top.h"
#include "gui/main_window_messages.h"
#include "gui/monitor_window_factory.h"
#include "gui/painter_surface.h"
#include "link/line_queue.h"
#include "link/receiver_link.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/system_error.h"
#include "platform/window_messages.h"

namespace orbex {

namespace {

const QString kAlwaysOnTopText = QStringLiteral("常に手前に表示(&O)");

// How each window kind is fed. Kinds without an entry never receive anything.
enum class Feed { None, EveryLine, RecognisedLine, Record };

constexpr std::array<Feed, COrbexWnd::kSlotCount> kFeeds = [] {
    std::array<Feed, COrbexWnd::kSlotCount> feeds{};
    for (int kind : {3, 4, 5, 6, 8}) {  // console, transfer windows, TTFF
        feeds[kind] = Feed::EveryLine;
    }
    feeds[12] = Feed::RecognisedLine;  // software reset
    for (int kind : {0, 1, 2, 13}) {   // general info, satellites, position plot, velocity
        feeds[kind] = Feed::Record;
    }
    return feeds;
}();

// The monitor commands of the menus, keys and picture.
constexpr std::array<int, 13> kMonitorCommands = {kCmdGeneralInformation,
                                                  kCmdSatelliteConstellation,
                                                  kCmdPositionPlot,
                                                  kCmdConsole,
                                                  kCmdTransmitAlmanac,
                                                  kCmdAcquireAlmanac,
                                                  kCmdAssistData,
                                                  kCmdTtff,
                                                  kCmdSoftwareReset,
                                                  kCmdVelocity,
                                                  kCmdTransmitEphemeris,
                                                  kCmdAcquireEphemeris,
                                                  kCmdTransmitAlmanacEphemeris};

bool IsMonitorCommand(int id) {
    return std::find(kMonitorCommands.begin(), kMonitorCommands.end(), id) !=
           kMonitorCommands.end();
}

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

}  // namespace

MonitorCommand MapMonitorCommand(int command) {
    std::uint8_t mode = kTransferAlmanac;
    if (command == kCmdTransmitEphemeris) {
        mode = kTransferEphemerisTransmit;
        command = kCmdTransmitAlmanac;
    } else if (command == kCmdAcquireEphemeris) {
        mode = kTransferEphemerisAcquire;
        command = kCmdAcquireAlmanac;
    } else if (command == kCmdTransmitAlmanacEphemeris) {
        mode = kTransferAlmanacEphemerisTransmit;
        command = kCmdTransmitAlmanac;
    }
    const int kind = command >= kCmdAssistData ? command - 40016 : command - 40001;
    return MonitorCommand{command, kind, mode};
}

// --- CPictureView -------------------------------------------------------------------------

CPictureView::CPictureView(COrbexWnd* owner) : QWidget(owner), owner_(owner) {
    setFixedSize(kPictureWidth, kPictureHeight);
    setMouseTracking(true);
    setAutoFillBackground(false);
}

void CPictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface surface(painter);
    owner_->Paint(surface);
}

void CPictureView::mouseMoveEvent(QMouseEvent* event) {
    owner_->OnMouseMove(event->position().toPoint());
}

void CPictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        owner_->OnLeftButtonDown(event->position().toPoint());
    }
}

void CPictureView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* item = menu.addAction(kAlwaysOnTopText);
    item->setCheckable(true);
    item->setChecked(owner_->alwaysOnTop());
    item->setData(kCmdAlwaysOnTop);
    if (menu.exec(event->globalPos()) == item) {
        owner_->ToggleAlwaysOnTop();
    }
}

// --- COrbexWnd: creation and destruction --------------------------------------------------

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
}

bool COrbexWnd::Create() {
    InitOrbexResources();
    background_ = QImage(QString::fromLatin1(kMainPictureResource));
    if (background_.isNull()) {
        return false;
    }
    picture_ = new CPictureView(this);
    setCentralWidget(picture_);
    BuildMenus();
    QImage hand(QString::fromLatin1(kHandCursorResource));
    picture_->setProperty("handCursor", QVariant::fromValue(QPixmap::fromImage(hand)));
    setWindowIcon(QIcon(QString::fromLatin1(kProgramIconResource)));
    // No size or maximise: the frame fits the picture and the menu bar.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    adjustSize();
    setFixedSize(sizeHint());

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
    SharedDecodingState().latSBeep = ReadNumber("CONFIG", "LatSBeep", value) && value != 0;
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
    for (Slot& slot : slots_) {
        delete slot.window.data();  // its closing notice clears the slot
        slot = Slot{};
    }
    WriteNumber("CONFIG", "CONNECT", link_ ? 1 : 0);
    Disconnect();
    SharedLineQueue().Clear();
}

// --- menus --------------------------------------------------------------------------------

void COrbexWnd::AddCommand(QMenu* menu, int id, const char* text, bool checkable) {
    QAction* item = menu->addAction(QString::fromUtf8(text));
    item->setData(id);
    item->setCheckable(checkable);
    connect(item, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_[id] = item;
}

void COrbexWnd::BuildMenus() {
    QMenu* communications = menuBar()->addMenu(QStringLiteral("Communications(&C)"));
    AddCommand(communications, kCmdConnect, "Connect(&C)", true);
    AddCommand(communications, kCmdDisconnect, "Disconnect(&D)");
    AddCommand(communications, kCmdLogConsole, "Log Console", true);
    AddCommand(communications, kCmdStopLoggingConsole, "Stop Logging Console");

    QMenu* view = menuBar()->addMenu(QStringLiteral("View(&V)"));
    AddCommand(view, kCmdGeneralInformation, "General Information(&1)", true);
    AddCommand(view, kCmdSatelliteConstellation, "Satellite Constellation(&2)", true);
    AddCommand(view, kCmdPositionPlot, "Position Plot(&3)", true);
    AddCommand(view, kCmdConsole, "Console(&4)", true);
    AddCommand(view, kCmdSoftwareReset, "Software Reset(&5)", true);
    AddCommand(view, kCmdVelocity, "Velocity(&A)", true);
    view->addSeparator();
    AddCommand(view, kCmdCloseAllWindows, "Close All Windows(&0)");
    // The window manager owns the window menu, so the always-on-top item goes here (and into
    // the picture's right-click menu).
    view->addSeparator();
    QAction* onTop = view->addAction(kAlwaysOnTopText);
    onTop->setData(kCmdAlwaysOnTop);
    onTop->setCheckable(true);
    connect(onTop, &QAction::triggered, this, [this] { OnCommand(kCmdAlwaysOnTop); });
    actions_[kCmdAlwaysOnTop] = onTop;

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools(&T)"));
    AddCommand(tools, kCmdAcquireAlmanac, "Acquire Almanac Data from Receiver", true);
    AddCommand(tools, kCmdAcquireEphemeris, "Acquire Ephemeris Data from Receiver", true);
    AddCommand(tools, kCmdAssistData, "Acquire and Transmit Assistance Data", true);
    AddCommand(tools, kCmdTransmitAlmanac, "Transmit Almanac Data to Receiver", true);
    AddCommand(tools, kCmdTransmitEphemeris, "Transmit Ephemeris Data to Reciever", true);
    AddCommand(tools, kCmdTransmitAlmanacEphemeris,
               "Transmit Almanac and Ephemeris Data to Reciever", true);
    tools->addSeparator();
    AddCommand(tools, kCmdConfigurePort, "Configure COM port(&O)");

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help(&H)"));
    AddCommand(help, kCmdAbout, "About Orbex");

    for (QMenu* menu : {communications, view, tools, help}) {
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateMenuStates(); });
    }
}

QAction* COrbexWnd::action(int id) const {
    auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

std::string COrbexWnd::ConsoleLogPath() {
    std::string path;
    if (ReadString("MDUMP", "FILEPATH", path) && !path.empty()) {
        return path;
    }
    return ProgramDirectory() + "GPS_MDUMP.DAT";
}

void COrbexWnd::UpdateMenuStates() {
    if (actions_.empty()) {
        return;
    }
    for (int command : kMonitorCommands) {
        if (QAction* item = action(command)) {  // the TTFF window has no menu item
            item->setChecked(slotWindow(MapMonitorCommand(command).kind) != nullptr);
        }
    }
    const bool isConnected = connected();
    QAction* connectItem = actions_[kCmdConnect];
    connectItem->setEnabled(!isConnected);
    connectItem->setChecked(isConnected);
    if (!isConnected) {
        connectItem->setText(replayPath_.isEmpty()
                                 ? QStringLiteral("Connect(&C)")
                                 : QStringLiteral("Connect(&C)  %1").arg(replayPath_));
    }
    actions_[kCmdDisconnect]->setEnabled(isConnected);
    bool anyOpen = false;
    for (int kind = 0; kind < kSlotCount; ++kind) {
        anyOpen = anyOpen || slotWindow(kind) != nullptr;
    }
    actions_[kCmdCloseAllWindows]->setEnabled(anyOpen);
    const bool logging = consoleLog_.active();
    QAction* logItem = actions_[kCmdLogConsole];
    logItem->setEnabled(isConnected && !logging);
    logItem->setChecked(logging);
    logItem->setText(
        QStringLiteral("Log Console  %1").arg(QString::fromStdString(ConsoleLogPath())));
    actions_[kCmdStopLoggingConsole]->setEnabled(logging);
    actions_[kCmdAlwaysOnTop]->setChecked(alwaysOnTop_);
}

// --- commands -----------------------------------------------------------------------------

void COrbexWnd::OnCommand(int id) {
    if (IsMonitorCommand(id)) {
        OpenMonitorWindow(id);
    } else if (id >= kCmdAlwaysOnTop && id <= kCmdAlwaysOnTop + 15) {
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

QWidget* COrbexWnd::slotWindow(int kind) const {
    if (kind < 0 || kind >= kSlotCount) {
        return nullptr;
    }
    return slots_[kind].window.data();
}

void COrbexWnd::OpenMonitorWindow(int command) {
    const MonitorCommand mapped = MapMonitorCommand(command);
    SetDataTransferMode(mapped.mode);
    Slot& slot = slots_[mapped.kind];
    if (QWidget* open = slot.window.data()) {
        if (open->isMinimized()) {
            open->showNormal();
        }
        open->raise();
        open->activateWindow();
        return;
    }
    const QString title = LoadStringResource(mapped.mappedCommand);
    QWidget* window = nullptr;
    if (const MonitorWindowFactory& factory = CurrentMonitorWindowFactory()) {
        window = factory(mapped.kind, title);
    }
    if (!window) {
        window = new CPlaceholderWnd(mapped.kind, title);
    }
    slot.window = window;
    slot.sink = dynamic_cast<ReceiverSink*>(window);
    window->show();
}

void COrbexWnd::ForgetWindow(std::uintptr_t window) {
    for (Slot& slot : slots_) {
        // The window may name itself by its widget or by its receiver part.
        const auto widget = reinterpret_cast<std::uintptr_t>(slot.window.data());
        const auto sink = reinterpret_cast<std::uintptr_t>(slot.sink);
        if ((slot.window || slot.sink) && (widget == window || sink == window)) {
            slot = Slot{};
            UpdateMenuStates();
            return;
        }
    }
}

void COrbexWnd::CloseAllWindows() {
    for (Slot& slot : slots_) {
        if (QWidget* window = slot.window.data()) {
            slot = Slot{};
            delete window;
        }
    }
}

void COrbexWnd::ToggleAlwaysOnTop() {
    alwaysOnTop_ = !alwaysOnTop_;
    SetStaysOnTop(*this, alwaysOnTop_);
    UpdateMenuStates();
}

void COrbexWnd::ShowVersion() {
    QMessageBox::information(this, QStringLiteral("Version Information"),
                             QStringLiteral("Orbex 2003 for VM8140 Version 1.04"));
}

// --- connection ---------------------------------------------------------------------------

void COrbexWnd::Connect() {
    ResetPositionSamples();
    PortSettings settings;
    if (replayPath_.isEmpty()) {
        LoadPortSettings(settings);
    }
    DeleteLink();
    WriteNumber("CONFIG", "CONNECT", 1);
    const std::intptr_t generation = ++linkGeneration_;
    auto link = std::make_unique<ReceiverLink>();
    // The replay-end notice carries the link's generation, so that a late notice of an old
    // link cannot disconnect its successor.
    OwnerPost owner = [generation](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        PostToMainWindow(message, wParam, message == UWM_REPLAY_END ? generation : lParam);
    };
    const std::string replay = replayPath_.toStdString();
    if (link->Open(owner, settings, replayPath_.isEmpty() ? nullptr : replay.c_str())) {
        link_ = std::move(link);
    }
    UpdateMenuStates();
}

void COrbexWnd::Disconnect() {
    if (!link_) {
        return;
    }
    DeleteLink();
    if (consoleLog_.active()) {
        consoleLog_.Stop();
    }
    UpdateMenuStates();
}

// Deleting the link stops and joins its reader thread, which takes at most one 50 ms poll. The
// reader never waits for this thread (it only posts, and its message boxes are queued), so the
// join cannot deadlock; a worker's send that arrives meanwhile is handled afterwards and, with
// the link gone, gets 0.
void COrbexWnd::DeleteLink() {
    link_.reset();
}

void COrbexWnd::ConfigurePort() {
    PortSettings settings;
    LoadPortSettings(settings);
    CPortSettingsDialog dialog(this, settings);
    if (!runPortDialog_(dialog)) {
        return;
    }
    replayPath_ = dialog.replayPath();
    settings = dialog.settings();
    if (link_ && !link_->ApplyPortSettings(settings)) {
        ShowMessageBox(FormatText("COM Port Initialization Error\nError Code:%d", SystemError()),
                       LoadStringResource(kIdsMainTitle).toStdString(), MessageIcon::Error);
        return;
    }
    SavePortSettings(settings);
}

std::intptr_t COrbexWnd::SendToReceiver(const void* bytes, std::size_t count) {
    if (!link_ || !bytes) {
        return 0;
    }
    return link_->Write(bytes, count) ? 1 : 0;
}

// --- logging ------------------------------------------------------------------------------

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
            ForgetWindow(wParam);
            return 0;
        case UWM_REPLAY_END:
            if (lParam == 0 || lParam == linkGeneration_) {
                Disconnect();
            }
            return 0;
        case UWM_SEND_TO_RECEIVER:
            return SendToReceiver(reinterpret_cast<const void*>(wParam),
                                  static_cast<std::size_t>(lParam));
        case UWM_QUERY_INPUT_COUNT:
            return link_ ? link_->PendingInputCount() : 0;
        case UWM_KEY_COMMAND:
            if (wParam < 5) {
                OnCommand(HotRectangles()[wParam].command);
            } else if (wParam == 'A') {
                OnCommand(kCmdVelocity);
            } else if (wParam == 'S') {
                OnCommand(kCmdAssistData);
            } else if (wParam == 'T') {
                OnCommand(kCmdTtff);
            }
            return 0;
        default:
            return 0;
    }
}

void COrbexWnd::DrainLineQueue() {
    std::string line;
    // Pop takes the queue's lock for one line only; lines queued meanwhile are drained too.
    while (SharedLineQueue().Pop(line)) {
        DispatchLine(line);
    }
}

void COrbexWnd::DispatchLine(const std::string& line) {
    ReceiverState state{};
    const bool recognised = DecodeLine(state, line.c_str());
    for (int kind = 0; kind < kSlotCount; ++kind) {
        // A window may close itself while it handles a line; the guarded pointer sees that.
        const Slot& slot = slots_[kind];
        if (!slot.window || !slot.sink) {
            continue;
        }
        switch (kFeeds[kind]) {
            case Feed::EveryLine:
                slot.sink->OnReceiverLine(line);
                break;
            case Feed::RecognisedLine:
                if (recognised) {
                    slot.sink->OnReceiverLine(line);
                }
                break;
            case Feed::Record:
                if (recognised) {
                    slot.sink->OnReceiverRecord(state);
                }
                break;
            case Feed::None:
                break;
        }
    }
}

// --- picture, mouse and keys --------------------------------------------------------------

void COrbexWnd::Paint(DrawSurface& surface) const {
    surface.Fill(QRect(0, 0, kPictureWidth, kPictureHeight), QColor(0, 0, 0));
    surface.Bitmap(QPoint(0, 0), background_);
    if (hotIndex_ != 0) {
        surface.Invert(HotRectangles()[hotIndex_ - 1].rect);
    }
}

void COrbexWnd::InvalidateHot(int index) {
    if (picture_ && index != 0) {
        picture_->update(HotRectangles()[index - 1].rect);
    }
}

void COrbexWnd::OnMouseMove(QPoint point) {
    if (alwaysOnTop_) {
        setFocus();
    }
    // Only every third move is looked at, to keep hovering cheap.
    if (mouseMoves_++ % 3 != 0) {
        return;
    }
    int found = 0;
    for (std::size_t i = 0; i < HotRectangles().size(); ++i) {
        if (HotRectangles()[i].rect.contains(point)) {
            found = static_cast<int>(i) + 1;
            break;
        }
    }
    if (found == 0) {
        hotIndex_ = 0;
        if (picture_) {
            picture_->update();
            picture_->unsetCursor();
        }
        return;
    }
    if (found != hotIndex_) {
        InvalidateHot(hotIndex_);
        InvalidateHot(found);
        hotIndex_ = found;
    }
    if (picture_) {
        const QPixmap hand = picture_->property("handCursor").value<QPixmap>();
        picture_->setCursor(hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, 9, 1));
    }
}

void COrbexWnd::OnLeftButtonDown(QPoint point) {
    if (hotIndex_ == 0 || !HotRectangles()[hotIndex_ - 1].rect.contains(point)) {
        return;
    }
    const int n = hotIndex_;
    if (n == 6) {
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
        return;
    }
    // The entry blinks five times (about one second), then its window opens.
    for (int step = 0; step <= 10; ++step) {
        hotIndex_ = step % 2 == 0 ? n : 0;
        if (picture_) {
            picture_->repaint(HotRectangles()[n - 1].rect);
        }
        if (step < 10) {
            std::this_thread::sleep_for(std::chrono::milliseconds(blinkMs_));
        } else {
            OnCommand(HotRectangles()[n - 1].command);
        }
    }
    hotIndex_ = n;
}

bool COrbexWnd::OnKey(int key, bool keypad) {
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        OnCommand(HotRectangles()[key - Qt::Key_1].command);
        return true;
    }
    if (key == Qt::Key_End ||
        (keypad && (key == Qt::Key_Period || key == Qt::Key_Comma || key == Qt::Key_Delete))) {
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
        return true;
    }
    switch (key) {
        case Qt::Key_A:
            OnCommand(kCmdVelocity);
            return true;
        case Qt::Key_S:
            OnCommand(kCmdAssistData);
            return true;
        case Qt::Key_T:
            OnCommand(kCmdTtff);
            return true;
        default:
            return false;
    }
}

void COrbexWnd::keyPressEvent(QKeyEvent* event) {
    if (!OnKey(event->key(), event->modifiers().testFlag(Qt::KeypadModifier))) {
        QMainWindow::keyPressEvent(event);
    }
}

}  // namespace orbex
