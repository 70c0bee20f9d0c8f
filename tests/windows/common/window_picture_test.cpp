// "Save picture": the offered name, and the PNG of a window as shown, children included.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPushButton>

#include "tests/link/link_test_support.h"
#include "windows/common/window_picture.h"
#include "windows/velocity/velocity_window.h"

namespace orbex {
namespace {

TEST(WindowPictureTest, NameSaysWhichWindowAndWhenWithFixedDigits) {
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
    EXPECT_EQ(PictureFileName(QStringLiteral("signal-history"), when),
              QStringLiteral("signal-history-20260304-050607.png"));
}

TEST(WindowPictureTest, PictureIsTheWindowAsShownAndAFailedWriteLeavesNothing) {
    testing::TempDir dir;
    CVelocityWnd window(QStringLiteral("Velocity"));
    window.resize(400, 300);
    const QString path = QString::fromStdString((dir.Path() / "velocity.png").string());
    ASSERT_EQ(SaveWindowPicture(window, path), QString());
    const QImage picture(path);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), window.size() * window.devicePixelRatio());
    // The black background and the zoom buttons (children) are in it.
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(Qt::black));
    const QRect button = window.zoom().zoomInButton()->geometry();
    int lit = 0;
    for (int y = button.top(); y <= button.bottom(); ++y) {
        for (int x = button.left(); x <= button.right(); ++x) {
            lit += picture.pixelColor(x, y) != QColor(Qt::black) ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 0);

    const QString nowhere = QString::fromStdString((dir.Path() / "no" / "such.png").string());
    EXPECT_FALSE(SaveWindowPicture(window, nowhere).isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
}

}  // namespace
}  // namespace orbex
