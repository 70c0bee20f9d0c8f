// The main window offscreen: menus and their states, the window slots with the data-transfer
// mode, line dispatch (kinds in order, decoded vs raw, lines queued while draining), the
// picture's hover, click and keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "app/line_batch.h"
#include "app/main_picture.h"
#include "app/orbex_window.h"
#include "app/picture_view.h"
#include "app_test_support.h"
#include "gui/main_window_messages.h"
#include "gui/qt_message_box.h"
#include "gui/recording_surface.h"
#include "gui/window_table.h"
#include "link/line_queue.h"
#include "platform/message_box_sink.h"
#include "platform/window_messages.h"
#include "tools/registry/tool_window_rows.h"
#include "windows/registry/monitor_window_rows.h"

namespace orbex {
namespace {

using test::kGga;

// A monitor window that writes down what it is given: "<kind>L" for a line, "<kind>R" for a
// record. It announces its end as every monitor window does.
class RecordingWindow : public QWidget, public ReceiverSink {
  public:
    RecordingWindow(int kind, std::vector<std::string>& journal) : kind_(kind), journal_(journal) {
        setAttribute(Qt::WA_DeleteOnClose);
    }
    ~RecordingWindow() override {
        SendToMainWindow(UWM_WINDOW_CLOSED,
                         reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(this)), 0);
    }
    void OnReceiverLine(std::string_view line) override {
        journal_.push_back(std::to_string(kind_) + "L");
        lines.emplace_back(line);
        if (onLine) {
            onLine(line);
        }
    }
    void OnReceiverRecord(const ReceiverState& record) override {
        journal_.push_back(std::to_string(kind_) + "R");
        kinds.emplace_back(record.kind);
    }
    std::vector<std::string> lines;
    std::vector<std::string> kinds;
    int transferMode = -1;  // the mode it was made with
    std::function<void(std::string_view)> onLine;

  private:
    int kind_;
    std::vector<std::string>& journal_;
};

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SharedLineQueue().Clear();
        InstallWindowTable(
            WindowTable({MonitorWindowRows(), ToolWindowRows()})
                .WithMaker([this](const WindowRow& row, const QString& title, LineDecoder&) {
                    ++created;
                    auto* window = new RecordingWindow(row.kind, journal);
                    window->setWindowTitle(title);
                    window->transferMode = row.transferMode;
                    return window;
                }));
        window = std::make_unique<COrbexWnd>();
        ASSERT_TRUE(window->Create());
        window->pictureView()->SetBlinkInterval(0);
    }
    void TearDown() override {
        window.reset();
        InstallWindowTable({});
        SharedLineQueue().Clear();
    }
    RecordingWindow* Slot(int kind) {
        return dynamic_cast<RecordingWindow*>(window->slotWindow(kind));
    }
    void OpenAll() {
        for (int command : {40001, 40002, 40003, 40004, 40005, 40006, 40022, 40024, 40028, 40029}) {
            window->OnCommand(command);
        }
    }

    test::TestHome home;
    MessageBoxSink messages;
    std::vector<std::string> journal;
    int created = 0;
    std::unique_ptr<COrbexWnd> window;
};

TEST_F(MainWindowTest, MenusCarryEveryItemWithItsIdAndText) {
    const std::vector<std::pair<int, const char*>> items = {
        {40009, "Connect(&C)"},
        {40010, "Disconnect(&D)"},
        {40042, "Stop Logging Console"},
        {40001, "General Information(&1)"},
        {40002, "Satellite Constellation(&2)"},
        {40003, "Position Plot(&3)"},
        {40004, "Console(&4)"},
        {40028, "Software Reset(&5)"},
        {40029, "Velocity(&A)"},
        {40013, "Close All Windows(&0)"},
        {4112, "常に手前に表示(&O)"},
        {40006, "Acquire Almanac Data from Receiver"},
        {40064, "Acquire Ephemeris Data from Receiver"},
        {40022, "Acquire and Transmit Assistance Data"},
        {40005, "Transmit Almanac Data to Receiver"},
        {40063, "Transmit Ephemeris Data to Reciever"},
        {40065, "Transmit Almanac and Ephemeris Data to Reciever"},
        {40024, "TTFF Window"},
        {40007, "Configure COM port(&O)"},
        {40062, "About Orbex"},
    };
    for (const auto& [id, text] : items) {
        QAction* item = window->action(id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_EQ(item->text(), QString::fromUtf8(text)) << id;
        EXPECT_EQ(item->data().toInt(), id);
    }
    QStringList titles;
    for (QAction* menu : window->menuBar()->actions()) {
        titles << menu->text();
    }
    EXPECT_EQ(titles, (QStringList{"Communications(&C)", "View(&V)", "Tools(&T)", "Help(&H)"}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Orbex 2003"));
    EXPECT_TRUE(window->action(40041)->text().startsWith(QStringLiteral("Log Console  ")));
}

TEST_F(MainWindowTest, MenuStatesFollowConnectionWindowsAndReplayFile) {
    window->UpdateMenuStates();
    EXPECT_TRUE(window->action(40009)->isEnabled());
    EXPECT_FALSE(window->action(40009)->isChecked());
    EXPECT_FALSE(window->action(40010)->isEnabled());
    EXPECT_FALSE(window->action(40013)->isEnabled());
    EXPECT_FALSE(window->action(40041)->isEnabled()) << "Log Console needs a connection";
    EXPECT_FALSE(window->action(40042)->isEnabled());
    EXPECT_EQ(window->action(40041)->text().toStdString(),
              "Log Console  " + home.path("home/GPS_MDUMP.DAT"));

    window->SetReplayPath(QStringLiteral("/data/drive.txt"));
    window->UpdateMenuStates();
    EXPECT_EQ(window->action(40009)->text(), QStringLiteral("Connect(&C)  /data/drive.txt"));

    window->OnCommand(40063);  // the almanac transmit window, in ephemeris mode
    EXPECT_TRUE(window->action(40013)->isEnabled());
    for (int id : {40005, 40063, 40065}) {
        EXPECT_TRUE(window->action(id)->isChecked()) << id;
    }
    for (int id : {40006, 40064, 40001}) {
        EXPECT_FALSE(window->action(id)->isChecked()) << id;
    }
}

TEST_F(MainWindowTest, WindowCommandsMapToKindsTitlesAndTransferModes) {
    struct Case {
        int command;
        int kind;
        int mode;
        const char* title;
    };
    const std::vector<Case> cases = {
        {40001, 0, 0, "General Information"},
        {40002, 1, 0, "Satellite Constellation"},
        {40003, 2, 0, "Position Plot"},
        {40004, 3, 0, "Console"},
        {40063, 4, 1, "Transmit Almanac Data to Receiver"},
        {40064, 5, 2, "Acquire Almanac Data from Receiver"},
        {40022, 6, 0, "Assist Data??"},
        {40024, 8, 0, ""},
        {40028, 12, 0, "Software Reset"},
        {40029, 13, 0, "Velocity"},
    };
    for (const Case& c : cases) {
        window->OnCommand(c.command);
        ASSERT_NE(window->slotWindow(c.kind), nullptr) << c.command;
        EXPECT_EQ(window->slotWindow(c.kind)->windowTitle().toStdString(), c.title) << c.command;
        EXPECT_EQ(window->dataTransferMode(), c.mode) << c.command;
        EXPECT_EQ(Slot(c.kind)->transferMode, c.mode) << c.command;
    }
    EXPECT_EQ(created, 10);

    // A window that is open is only brought forward; the mode still changes.
    QWidget* transmit = window->slotWindow(4);
    window->OnCommand(40065);
    EXPECT_EQ(window->dataTransferMode(), 3);
    EXPECT_EQ(Slot(4)->transferMode, 1);
    window->OnCommand(40005);
    EXPECT_EQ(window->dataTransferMode(), 0);
    EXPECT_EQ(window->slotWindow(4), transmit);
    EXPECT_EQ(created, 10);

    window->OnCommand(40013);  // Close All Windows
    for (int kind = 0; kind < COrbexWnd::kSlotCount; ++kind) {
        EXPECT_EQ(window->slotWindow(kind), nullptr) << kind;
    }
    EXPECT_FALSE(window->action(40013)->isEnabled());
}

TEST_F(MainWindowTest, ARecognisedLineReachesEveryKindInAscendingOrder) {
    OpenAll();
    window->DispatchLine(kGga);
    EXPECT_EQ(journal, (std::vector<std::string>{"0R", "1R", "2R", "3L", "4L", "5L", "6L", "8L",
                                                 "12L", "13R"}));
    ASSERT_EQ(Slot(0)->kinds.size(), 1u);
    EXPECT_EQ(Slot(0)->kinds[0], "$GPGGA");
    EXPECT_EQ(Slot(3)->lines[0], kGga) << "raw lines keep their terminator";
}

TEST_F(MainWindowTest, AnUnrecognisedLineReachesOnlyTheRawLineWindows) {
    OpenAll();
    window->DispatchLine("hello receiver\r\n");
    EXPECT_EQ(journal, (std::vector<std::string>{"3L", "4L", "5L", "6L", "8L"}));
    EXPECT_TRUE(Slot(0)->kinds.empty()) << "General Information gets no unknown line";
}

TEST_F(MainWindowTest, LinesQueuedWhileDrainingAreHandledInTheSameDrain) {
    window->OnCommand(40004);
    int posts = 0;
    OwnerPost post = [&posts](unsigned message, std::uintptr_t, std::intptr_t) {
        posts += message == UWM_LINE_QUEUED ? 1 : 0;
    };
    Slot(3)->onLine = [&](std::string_view line) {
        if (line == "first\r\n") {
            SharedLineQueue().Push("during\r\n", post);
        }
    };
    SharedLineQueue().Push("first\r\n", post);
    SharedLineQueue().Push("second\r\n", post);
    window->OnPrivateMessage(UWM_LINE_QUEUED, 0, 0);
    EXPECT_EQ(Slot(3)->lines, (std::vector<std::string>{"first\r\n", "second\r\n", "during\r\n"}));
    EXPECT_TRUE(SharedLineQueue().Empty());
}

TEST_F(MainWindowTest, ABatchCutShortDrainsTheRestWithoutAnotherNotice) {
    window->OnCommand(40004);
    int posts = 0;
    OwnerPost post = [&posts](unsigned message, std::uintptr_t, std::intptr_t) {
        posts += message == UWM_LINE_QUEUED ? 1 : 0;
    };
    // A line that takes longer than a batch may run: the windows repaint before the rest.
    Slot(3)->onLine = [](std::string_view line) {
        if (line == "slow\r\n") {
            std::this_thread::sleep_for(kLongestBatch + std::chrono::milliseconds(5));
        }
    };
    for (const char* line : {"slow\r\n", "second\r\n", "third\r\n"}) {
        SharedLineQueue().Push(line, post);
    }
    window->OnPrivateMessage(UWM_LINE_QUEUED, 0, 0);
    EXPECT_EQ(Slot(3)->lines, (std::vector<std::string>{"slow\r\n"}));
    ASSERT_TRUE(test::WaitFor([&] { return Slot(3)->lines.size() == 3; }));
    EXPECT_EQ(Slot(3)->lines.back(), "third\r\n");
    EXPECT_EQ(posts, 1) << "the queue never went empty again";
}

TEST_F(MainWindowTest, TheQueueNoticeFromAnotherThreadDrainsOnTheUserInterfaceThread) {
    window->OnCommand(40004);
    std::thread reader([] {
        OwnerPost post = [](unsigned m, std::uintptr_t w, std::intptr_t l) {
            PostToMainWindow(m, w, l);
        };
        for (int i = 0; i < 50; ++i) {
            SharedLineQueue().Push("line " + std::to_string(i) + "\r\n", post);
        }
    });
    reader.join();
    ASSERT_TRUE(test::WaitFor([&] { return Slot(3)->lines.size() == 50; }));
    EXPECT_EQ(Slot(3)->lines.back(), "line 49\r\n");
}

TEST_F(MainWindowTest, AClosedWindowLeavesItsSlotAndReopensAsAFreshWindow) {
    window->OnCommand(40004);
    ASSERT_NE(Slot(3), nullptr);
    Slot(3)->close();
    ASSERT_TRUE(test::WaitFor([&] { return window->slotWindow(3) == nullptr; }));
    EXPECT_FALSE(window->action(40004)->isChecked());
    window->OnCommand(40004);
    EXPECT_EQ(created, 2);
    ASSERT_NE(Slot(3), nullptr);
    EXPECT_TRUE(Slot(3)->lines.empty());
    // A closing notice for a window that is not in the table changes nothing.
    window->OnPrivateMessage(UWM_WINDOW_CLOSED, 12345, 0);
    EXPECT_NE(Slot(3), nullptr);
}

TEST_F(MainWindowTest, CommandsWithoutARowOrAWindowOpenNothing) {
    InstallWindowTable(WindowTable({MonitorWindowRows()})
                           .WithMaker([](const WindowRow&, const QString&,
                                         LineDecoder&) -> QWidget* { return nullptr; }));
    window->OnCommand(40002);  // a row whose window cannot be made
    window->OnCommand(40024);  // no row: the TTFF window is not in this table
    for (int kind = 0; kind < COrbexWnd::kSlotCount; ++kind) {
        EXPECT_EQ(window->slotWindow(kind), nullptr) << kind;
    }
    window->DispatchLine(kGga);
}

TEST_F(MainWindowTest, ThePictureInvertsTheHoveredEntry) {
    RecordingSurface plain;
    window->pictureView()->Paint(plain);
    const QPoint inEntry3(100, 100);
    window->pictureView()->OnMouseMove(inEntry3);  // move 1 is looked at
    EXPECT_EQ(window->pictureView()->hotIndex(), 3);
    RecordingSurface hot;
    window->pictureView()->Paint(hot);
    ASSERT_FALSE(hot.calls().empty());
    EXPECT_EQ(hot.calls().back().op, DrawCall::Op::Invert);
    EXPECT_EQ(hot.calls().back().rect, QRect(QPoint(15, 96), QPoint(339, 107)));
    EXPECT_NE(plain.calls().back().op, DrawCall::Op::Invert);

    window->pictureView()->OnMouseMove(QPoint(5, 5));
    window->pictureView()->OnMouseMove(QPoint(5, 5));
    EXPECT_EQ(window->pictureView()->hotIndex(), 3) << "moves 2 and 3 are skipped";
    window->pictureView()->OnMouseMove(QPoint(5, 5));
    EXPECT_EQ(window->pictureView()->hotIndex(), 0);
    // The right and bottom edges are outside a rectangle.
    for (int i = 0; i < 3; ++i) {
        window->pictureView()->OnMouseMove(QPoint(340, 100));
    }
    EXPECT_EQ(window->pictureView()->hotIndex(), 0);
}

TEST_F(MainWindowTest, ClickingAnEntryBlinksWhileLinesFlowThenOpensItsWindow) {
    window->OnCommand(40004);  // the Console takes lines during the blink
    CPictureView* picture = window->pictureView();
    picture->SetBlinkInterval(20);
    for (int i = 0; i < 3; ++i) {
        picture->OnMouseMove(QPoint(100, 100));
    }
    picture->OnLeftButtonDown(QPoint(100, 100));
    EXPECT_TRUE(picture->blinking());
    EXPECT_EQ(window->slotWindow(2), nullptr) << "the window opens after the blink";
    std::vector<int> shown;
    SharedLineQueue().Push(
        "during the blink\r\n",
        [](unsigned m, std::uintptr_t w, std::intptr_t l) { PostToMainWindow(m, w, l); });
    ASSERT_TRUE(test::WaitFor([&] {
        shown.push_back(picture->hotIndex());
        return window->slotWindow(2) != nullptr;
    }));
    EXPECT_EQ(Slot(3)->lines, std::vector<std::string>{"during the blink\r\n"});
    EXPECT_NE(std::find(shown.begin(), shown.end(), 0), shown.end()) << "the entry blinks";
    EXPECT_EQ(picture->hotIndex(), 3);
    picture->OnLeftButtonDown(QPoint(100, 100));
    ASSERT_TRUE(test::WaitFor([&] { return !picture->blinking(); }));
    EXPECT_EQ(created, 2);
    picture->OnLeftButtonDown(QPoint(100, 10));  // outside the hot entry: nothing
    EXPECT_FALSE(picture->blinking());
}

TEST_F(MainWindowTest, KeysAndKeyCommandsOpenTheirWindows) {
    EXPECT_TRUE(window->OnKey(Qt::Key_1, false));
    EXPECT_NE(window->slotWindow(0), nullptr);
    EXPECT_TRUE(window->OnKey(Qt::Key_5, true));  // keypad 5
    EXPECT_NE(window->slotWindow(12), nullptr);
    EXPECT_TRUE(window->OnKey(Qt::Key_A, false));
    EXPECT_NE(window->slotWindow(13), nullptr);
    EXPECT_FALSE(window->OnKey(Qt::Key_Q, false));
    EXPECT_FALSE(window->OnKey(Qt::Key_Delete, true)) << "keypad Delete is not the decimal key";
    // With Ctrl or Alt a letter is a shortcut, not a window key.
    window->OnCommand(40013);
    for (Qt::KeyboardModifier modifier : {Qt::ControlModifier, Qt::AltModifier}) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, modifier);
        QApplication::sendEvent(window.get(), &key);
        EXPECT_EQ(window->slotWindow(13), nullptr);
    }

    window->OnPrivateMessage(UWM_KEY_COMMAND, 3, 0);
    EXPECT_NE(window->slotWindow(3), nullptr);
    window->OnPrivateMessage(UWM_KEY_COMMAND, 'T', 0);  // 'T' in a monitor window: TTFF
    EXPECT_NE(window->slotWindow(8), nullptr);
    window->OnPrivateMessage(UWM_KEY_COMMAND, 'S', 0);
    EXPECT_NE(window->slotWindow(6), nullptr);
    const int before = created;
    for (std::uintptr_t ignored : {std::uintptr_t{5}, std::uintptr_t{19}, std::uintptr_t{0x70},
                                   std::uintptr_t{'I'}, std::uintptr_t{'O'}}) {
        window->OnPrivateMessage(UWM_KEY_COMMAND, ignored, 0);
    }
    EXPECT_EQ(created, before);
    // The picture's key hint names every key that opens a window.
    RecordingSurface picture;
    DrawMainPicture(picture);
    const DrawCall* hint = picture.FindText(QStringLiteral("Keys "));
    ASSERT_NE(hint, nullptr);
    for (const char* key :
         {"1-5", "A: Velocity", "H: Signals", "S: Assist", "T: TTFF", "End: exit"}) {
        EXPECT_TRUE(hint->text.contains(QLatin1String(key))) << key;
    }
}

TEST_F(MainWindowTest, AfterTheMenuBarHadTheKeysTheyComeBackAsWindowKeys) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(test::WaitFor([&] { return window->isActiveWindow(); }));
    // Alt pressed and released alone puts the menu bar in keyboard mode; Escape leaves it.
    QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &altDown);
    QApplication::sendEvent(window.get(), &altUp);
    ASSERT_EQ(QApplication::focusWidget(), window->menuBar());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window->menuBar(), &escape);
    EXPECT_EQ(QApplication::focusWidget(), window.get()) << "plain letters reach the window";
}

TEST_F(MainWindowTest, ABoxShownWhileNoWindowIsActiveIsOwnedByTheMainWindow) {
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    MessageBoxFunction sink = SetMessageBoxFunction(nullptr);
    InstallQtMessageBox();
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            owner = box->parentWidget();
            box->close();
        }
    });
    ShowMessageBox("End of file");  // as from the reader thread, queued to this one
    SetMessageBoxFunction(sink);
    EXPECT_EQ(owner, window.get()) << "so the box is centred over the main window";
}

TEST_F(MainWindowTest, TheEndKeyAndTheExitAreaCloseTheMainWindow) {
    window->show();
    window->OnKey(Qt::Key_End, false);
    ASSERT_TRUE(test::WaitFor([&] { return !window->isVisible(); }));

    window->show();
    for (int i = 0; i < 3; ++i) {
        window->pictureView()->OnMouseMove(QPoint(40, 360));
    }
    EXPECT_EQ(window->pictureView()->hotIndex(), 6);
    window->pictureView()->OnLeftButtonDown(QPoint(40, 360));
    ASSERT_TRUE(test::WaitFor([&] { return !window->isVisible(); }));
}

TEST_F(MainWindowTest, AlwaysOnTopTogglesWithoutMovingTheWindow) {
    window->show();
    const QPoint where = window->pos();
    window->OnCommand(4112);
    EXPECT_TRUE(window->alwaysOnTop());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->action(4112)->isChecked());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), where);
    window->OnCommand(4112 + 3);  // any id of the item's range
    EXPECT_FALSE(window->alwaysOnTop());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainWindowTest, TheVersionBoxIsAPlainOkBoxNamingTheProgram) {
    window->OnCommand(40062);
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].caption, "Version Information");
    EXPECT_EQ(messages.Requests()[0].text, "Orbex 2003 for VM8140 Version 1.04");
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.Requests()[0].buttons, MessageButtons::Ok);
}

}  // namespace
}  // namespace orbex
