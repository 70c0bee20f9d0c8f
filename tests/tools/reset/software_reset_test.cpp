// The software reset window sends exactly its five bytes per press, any number of times, and
// closes with its dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include "gui/main_window_messages.h"
#include "platform/window_messages.h"
#include "tools/reset/software_reset_dialog.h"
#include "tools/reset/software_reset_window.h"

namespace orbex {
namespace {

class SoftwareResetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetMainWindowHandler([this](unsigned m, std::uintptr_t w, std::intptr_t l) {
            if (m == UWM_SEND_TO_RECEIVER) {
                sent.emplace_back(reinterpret_cast<const char*>(w), static_cast<std::size_t>(l));
            } else if (m == UWM_WINDOW_CLOSED) {
                closed.push_back(w);
            }
            return std::intptr_t{0};
        });
    }
    void TearDown() override { SetMainWindowHandler({}); }

    static QPushButton* Button(QWidget* window, const char* text) {
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String(text)) {
                return button;
            }
        }
        return nullptr;
    }

    std::vector<std::string> sent;
    std::vector<std::uintptr_t> closed;
};

TEST_F(SoftwareResetTest, EachButtonSendsItsFiveBytesEveryTimeAndTheDialogStaysOpen) {
    QPointer<CSoftwareResetWnd> window = new CSoftwareResetWnd(QStringLiteral("Software Reset"));
    window->show();
    QApplication::processEvents();
    EXPECT_TRUE(sent.empty());  // opening sends nothing
    for (int i = 0; i < 3; ++i) {
        Button(window, "Hot Start")->click();
    }
    Button(window, "Warm Start")->click();
    Button(window, "Cold Start")->click();
    window->OnReceiverLine("$GPGGA,...\r\n");  // ignored
    QApplication::processEvents();
    EXPECT_EQ(sent,
              (std::vector<std::string>{"@SR\r\n", "@SR\r\n", "@SR\r\n", "@SW\r\n", "@CD\r\n"}));
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->dialog()->isVisible());
    delete window;
}

TEST_F(SoftwareResetTest, ClosingTheDialogClosesTheWindowWhichTellsTheMainWindow) {
    QPointer<CSoftwareResetWnd> window = new CSoftwareResetWnd(QStringLiteral("Software Reset"));
    const auto address = reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(window.data()));
    window->show();
    Button(window, "Close")->click();
    for (int i = 0; i < 10 && window; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_FALSE(window);
    EXPECT_EQ(closed, std::vector<std::uintptr_t>{address});
    EXPECT_TRUE(sent.empty());
}

}  // namespace
}  // namespace orbex
