#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "gui/main_window_messages.h"
#include "gui/qt_message_box.h"
#include "platform/message_box.h"
#include "platform/message_box_sink.h"
#include "platform/window_messages.h"

namespace orbex {
namespace {

struct Received {
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

class MainWindowMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        SetMainWindowHandler([this](unsigned m, std::uintptr_t w, std::intptr_t l) {
            received.push_back({m, w, l});
            return static_cast<std::intptr_t>(w * 2);
        });
    }
    void TearDown() override { SetMainWindowHandler({}); }
    std::vector<Received> received;
};

TEST_F(MainWindowMessages, PostsArriveInOrderOnlyWhenEventsAreProcessed) {
    PostToMainWindow(UWM_LINE_QUEUED, 0, 0);
    PostToMainWindow(UWM_KEY_COMMAND, 3, 7);
    EXPECT_TRUE(received.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, UWM_LINE_QUEUED);
    EXPECT_EQ(received[1].message, UWM_KEY_COMMAND);
    EXPECT_EQ(received[1].wParam, 3u);
    EXPECT_EQ(received[1].lParam, 7);
}

TEST_F(MainWindowMessages, SendFromTheUserInterfaceThreadRunsAtOnce) {
    EXPECT_EQ(SendToMainWindow(UWM_QUERY_INPUT_COUNT, 21, 0), 42);
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(MainWindowMessages, SendFromAWorkerBlocksUntilHandledAndReturnsTheResult) {
    std::atomic<std::intptr_t> result{-1};
    std::thread worker([&] { result = SendToMainWindow(UWM_SEND_TO_RECEIVER, 5, 1); });
    // The user-interface thread waits for the worker while it keeps handling sends, as it must
    // when a tool window is destroyed while its worker talks to the receiver.
    while (result == -1) {
        HandlePendingSends();
        std::this_thread::yield();
    }
    worker.join();
    EXPECT_EQ(result, 10);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, UWM_SEND_TO_RECEIVER);
}

TEST_F(MainWindowMessages, RemovingTheHandlerReleasesAWaitingSenderWithZero) {
    std::atomic<bool> started{false};
    std::atomic<std::intptr_t> result{-1};
    std::thread worker([&] {
        started = true;
        result = SendToMainWindow(UWM_SEND_TO_RECEIVER, 5, 1);
    });
    while (!started) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetMainWindowHandler({});
    worker.join();
    EXPECT_TRUE(result == 0 || result == 10);  // 10 only if it got in before the removal
    EXPECT_EQ(SendToMainWindow(UWM_SEND_TO_RECEIVER, 5, 1), 0) << "no main window: result 0";
}

TEST(QtMessageBox, AMessageFromAReaderThreadNeverBlocksItAndIsShownLater) {
    InstallQtMessageBox();
    MessageResult answer = MessageResult::Cancel;
    std::thread reader([&] { answer = ShowMessageBox("End of file"); });
    reader.join();  // would hang if the box waited for the user-interface thread
    EXPECT_EQ(answer, MessageResult::Ok);
    {
        MessageBoxSink sink;  // stands in for the user looking at the screen
        QCoreApplication::processEvents();
        EXPECT_EQ(sink.Texts(), std::vector<std::string>{"End of file"});
    }
    SetMessageBoxFunction({});
}

TEST(QtMessageBox, ReturnPressesTheNamedDefaultButton) {
    InstallQtMessageBox();
    struct Case {
        MessageButtons buttons;
        std::optional<MessageResult> defaultButton;
        MessageResult answer;
    };
    const Case cases[] = {
        {MessageButtons::OkCancel, MessageResult::Cancel, MessageResult::Cancel},
        {MessageButtons::OkCancel, std::nullopt, MessageResult::Ok},
        {MessageButtons::YesNoCancel, MessageResult::No, MessageResult::No},
        {MessageButtons::YesNo, std::nullopt, MessageResult::Yes},
    };
    for (const Case& c : cases) {
        // The user presses Return on whatever box is showing.
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(box, &press);
            }
        });
        EXPECT_EQ(ShowMessageBox("Go on?", "", MessageIcon::Question, c.buttons, c.defaultButton),
                  c.answer);
    }
    SetMessageBoxFunction({});
}

}  // namespace
}  // namespace orbex
