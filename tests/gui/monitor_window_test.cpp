#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <vector>

#include "gui/main_window_messages.h"
#include "gui/recording_surface.h"
#include "platform/window_messages.h"
#include "windows/common/monitor_window.h"

namespace orbex {
namespace {

class ProbeWnd : public CMonitorWnd {
  public:
    ProbeWnd() : CMonitorWnd(2, QStringLiteral("Position Plot")) {}
    void Paint(DrawSurface& surface) override {
        surface.Fill(rect(), Qt::black);
        ++paints;
    }
    int paints = 0;
};

class MonitorWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        SetMainWindowHandler([this](unsigned m, std::uintptr_t w, std::intptr_t) {
            messages.push_back({m, w});
            return 0;
        });
    }
    void TearDown() override { SetMainWindowHandler({}); }
    void Press(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, mods);
        QCoreApplication::sendEvent(w, &event);
        QCoreApplication::processEvents();
    }
    std::vector<std::pair<unsigned, std::uintptr_t>> messages;
};

TEST_F(MonitorWindow, SelectionKeysArePostedToTheMainWindow) {
    auto* window = new ProbeWnd;
    Press(window, Qt::Key_1);
    Press(window, Qt::Key_5, Qt::KeypadModifier);
    Press(window, Qt::Key_F10);
    Press(window, Qt::Key_T);
    Press(window, Qt::Key_Q);  // not a selection key
    // Shortcuts with Ctrl or Alt are not selection keys.
    Press(window, Qt::Key_A, Qt::ControlModifier);
    Press(window, Qt::Key_2, Qt::AltModifier);
    const std::vector<std::pair<unsigned, std::uintptr_t>> expected = {{UWM_KEY_COMMAND, 0},
                                                                       {UWM_KEY_COMMAND, 4},
                                                                       {UWM_KEY_COMMAND, 0x79},
                                                                       {UWM_KEY_COMMAND, 'T'}};
    EXPECT_EQ(messages, expected);
    delete window;
}

TEST_F(MonitorWindow, ClosingTellsTheMainWindowWhichWindowWentAway) {
    auto* window = new ProbeWnd;
    QPointer<ProbeWnd> alive(window);
    const auto id = reinterpret_cast<std::uintptr_t>(static_cast<QWidget*>(window));
    window->show();
    window->close();  // deletes itself (deferred)
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), std::make_pair(UWM_WINDOW_CLOSED, id));
}

TEST_F(MonitorWindow, AlwaysOnTopTogglesWithoutMovingOrResizing) {
    ProbeWnd window;
    window.setGeometry(100, 120, 500, 300);
    window.show();
    const QSize size = window.size();
    window.OnSystemCommand(4113);  // every id of the band 4112..4127 is the toggle
    EXPECT_TRUE(window.alwaysOnTop());
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window.size(), size);
    EXPECT_TRUE(window.isVisible());
    window.OnSystemCommand(kAlwaysOnTopCommand);
    EXPECT_FALSE(window.alwaysOnTop());
    window.OnSystemCommand(4128);  // outside the band: nothing
    EXPECT_FALSE(window.alwaysOnTop());
}

TEST_F(MonitorWindow, OpensAt640By480OnBlack) {
    ProbeWnd window;
    EXPECT_EQ(window.size(), QSize(640, 480));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Position Plot"));
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(window.paints, 1);
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::black));
}

}  // namespace
}  // namespace orbex
