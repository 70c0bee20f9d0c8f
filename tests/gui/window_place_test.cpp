// Window places kept in the settings store: their text, the off-screen fallback, and a window
// put back where it was.
#include <gtest/gtest.h>

#include <QWidget>
#include <filesystem>
#include <string>

#include "gui/window_place.h"
#include "platform/settings_store.h"

namespace orbex {
namespace {

TEST(WindowPlaceTest, TextRoundTripsAndAnythingElseIsRefused) {
    QRect place;
    ASSERT_TRUE(ParseWindowPlace(WindowPlaceText(QRect(-8, 30, 640, 400)), place));
    EXPECT_EQ(place, QRect(-8, 30, 640, 400));
    for (const char* bad :
         {"", "1,2,3", "1,2,3,4,5", "1,2,0,4", "1;2;3;4", "a,2,3,4", "1,2,3,4 "}) {
        EXPECT_FALSE(ParseWindowPlace(bad, place)) << bad;
    }
}

TEST(WindowPlaceTest, APlaceWhoseTitleBarIsOnNoScreenIsNotReachable) {
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_TRUE(ReachableOnScreens(QRect(100, 100, 640, 400), screens));
    EXPECT_TRUE(ReachableOnScreens(QRect(2500, 900, 640, 400), screens));  // second screen
    EXPECT_TRUE(ReachableOnScreens(QRect(-600, 10, 640, 400), screens));   // 40 pixels show
    EXPECT_FALSE(ReachableOnScreens(QRect(-620, 10, 640, 400), screens));
    EXPECT_FALSE(ReachableOnScreens(QRect(100, 1080, 640, 400), screens));  // below
    EXPECT_FALSE(ReachableOnScreens(QRect(3300, 100, 640, 400), screens));  // a screen unplugged
    EXPECT_FALSE(ReachableOnScreens(QRect(100, 100, 640, 400), {}));
}

TEST(WindowPlaceTest, AWindowOpensWhereItWasUnlessThatIsOffEveryScreen) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("window_place_" + std::to_string(::getpid()) + ".reg");
    SharedSettingsStore().SetPath(file.string());
    QWidget first;
    first.move(40, 50);
    first.resize(500, 300);
    RememberWindowPlace(first, "velocity");
    QWidget again;
    again.resize(640, 400);
    ASSERT_TRUE(RestoreWindowPlace(again, "velocity"));
    EXPECT_EQ(again.pos(), QPoint(40, 50));
    EXPECT_EQ(again.size(), QSize(500, 300));
    // A window of fixed size keeps it.
    QWidget fixed;
    fixed.setFixedSize(300, 200);
    ASSERT_TRUE(RestoreWindowPlace(fixed, "velocity"));
    EXPECT_EQ(fixed.size(), QSize(300, 200));
    // Off every screen, or never stored: the default place.
    WriteString("WINDOWS", "velocity", "-30000,-30000,500,300");
    QWidget lost;
    lost.move(10, 20);
    EXPECT_FALSE(RestoreWindowPlace(lost, "velocity"));
    EXPECT_EQ(lost.pos(), QPoint(10, 20));
    EXPECT_FALSE(RestoreWindowPlace(lost, "console"));
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace orbex
