// The assistance dialog with vm8140-sim behind a stand-in main window: both operations for
// both networks, the time line, the receiver's verdict, and the network choice kept.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "tests/tools/transfer/window_test_support.h"
#include "tools/assist/assist_window.h"

namespace orbex {
namespace {

TEST(AssistWindowTest, AcquireAndTransmitForBothNetworksAndKeepTheChoice) {
    testing::SimReceiver receiver;
    ASSERT_TRUE(receiver.open());
    testing::StandInMainWindow main(&receiver);
    QPointer<CAssistWnd> window = new CAssistWnd(QStringLiteral("Assist Data??"));
    window->show();
    window->SetClock([] { return std::time_t{1796732415}; });  // Tue Dec  8 12:20:15 2026
    CAssistDialog* dialog = window->dialog();
    EXPECT_EQ(dialog->windowTitle(), "Acquire and Transmit Assistance Data");
    EXPECT_EQ(dialog->network(), AssistNetwork::Gsm);

    dialog->acquireButton()->click();
    ASSERT_TRUE(
        main.RunUntil(window, [&] { return !window->operationRunning() && dialog->pos() == 100; }));
    ASSERT_EQ(dialog->messages().size(), 2);
    EXPECT_EQ(dialog->messages()[0], "Send ASO...");
    EXPECT_TRUE(dialog->messages()[1].startsWith(QStringLiteral("Num of SV:")));

    dialog->transmitButton()->click();
    ASSERT_TRUE(
        main.RunUntil(window, [&] { return !window->operationRunning() && dialog->pos() == 100; }));
    ASSERT_EQ(dialog->messages().size(), 2);
    EXPECT_EQ(dialog->messages()[0], "Tue Dec  8 12:20:15 2026");
    EXPECT_TRUE(dialog->messages()[1].startsWith(QStringLiteral("[ASI] OK ")))
        << dialog->messages()[1].toStdString();
    EXPECT_EQ(main.Sent()[0], "@ASO\r\n");
    EXPECT_EQ(main.Sent()[1], "@ASI\r\n");

    dialog->wcdmaButton()->click();
    dialog->acquireButton()->click();
    ASSERT_TRUE(
        main.RunUntil(window, [&] { return !window->operationRunning() && dialog->pos() == 100; }));
    dialog->transmitButton()->click();
    ASSERT_TRUE(
        main.RunUntil(window, [&] { return !window->operationRunning() && dialog->pos() == 100; }));
    EXPECT_TRUE(dialog->messages().last().startsWith(QStringLiteral("[SII] OK ")));
    testing::SaveScreenshot(dialog, "assist-dialog.png");
    dialog->reject();  // "Close"
    ASSERT_TRUE(main.RunUntil(nullptr, [&] { return window.isNull(); }));

    // The next opening keeps W-CDMA.
    window = new CAssistWnd(QStringLiteral("Assist Data??"));
    EXPECT_EQ(window->dialog()->network(), AssistNetwork::Wcdma);
    delete window.data();
}

}  // namespace
}  // namespace orbex
