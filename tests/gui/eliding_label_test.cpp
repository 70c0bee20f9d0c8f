#include "gui/eliding_label.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMainWindow>
#include <QStatusBar>

namespace orbex {
namespace {

// The main window's status line with a port path wider than the window: the window keeps its
// width, the line shows both ends of the text, and the whole text is one hover away.
TEST(ElidingLabelTest, ALongStatusFitsTheWindowAndKeepsItsEnds) {
    QMainWindow window;
    auto* line = new ElidingLabel(&window);
    window.statusBar()->addWidget(line, 1);
    window.resize(300, 200);
    window.show();
    const QString text =
        QStringLiteral("Connected to /tmp/orbex-run.JhB0Ib/a/long/path/to/vm8140 since 19:54:32");
    line->SetFullText(text);

    EXPECT_EQ(window.width(), 300);
    EXPECT_NE(line->text(), text);
    EXPECT_TRUE(line->text().startsWith(QStringLiteral("Connected to")));
    EXPECT_TRUE(line->text().endsWith(QStringLiteral("19:54:32")));
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->contentsRect().width());
    EXPECT_EQ(line->toolTip(), text);

    window.resize(1200, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(line->text(), text);
}

}  // namespace
}  // namespace orbex
