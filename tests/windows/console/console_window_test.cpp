// The Console window: what it lists, how it trims, how its view follows new lines, and what
// typed keys do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStringListModel>
#include <string>
#include <vector>

#include "gui/main_window_messages.h"
#include "gui/recording_surface.h"
#include "platform/window_messages.h"
#include "tests/support/qt_printers.h"
#include "tests/windows/console/console_test_support.h"
#include "windows/console/console_window.h"

namespace orbex {
namespace {

// Collects what the Console asks of the main window.
class MainWindowRecorder {
  public:
    MainWindowRecorder() {
        SetMainWindowHandler([this](unsigned message, std::uintptr_t w, std::intptr_t l) {
            if (message == UWM_SEND_TO_RECEIVER) {
                sent.emplace_back(reinterpret_cast<const char*>(w), static_cast<std::size_t>(l));
            } else if (message == UWM_WINDOW_CLOSED) {
                ++closed;
            }
            return std::intptr_t{0};
        });
    }
    ~MainWindowRecorder() { SetMainWindowHandler({}); }

    std::vector<std::string> sent;
    int closed = 0;
};

// Runs the event loop until the Console has shown its lines and painted: showing them posts
// the repaints, and the scroll bar's comparison posts one more.
void Settle() {
    for (int round = 0; round < 4; ++round) {
        QApplication::processEvents();
    }
}

class ConsoleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CommandsDialogOpenings().clear();
        test::StoredTermLines().reset();
    }

    static void FeedNumbered(CConsoleWnd& console, int from, int to) {
        for (int i = from; i <= to; ++i) {
            console.OnReceiverLine("line " + std::to_string(i) + "\r\n");
        }
    }
    static QStringList Items(CConsoleWnd& console) {
        RecordingSurface surface;
        console.Paint(surface);
        QStringList items;
        for (const DrawCall& c : surface.calls()) {
            EXPECT_EQ(c.op, DrawCall::Op::Item);
            items << c.text;
        }
        return items;
    }
    static void Type(QWidget* target, int key, const QString& text,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
    }

    MainWindowRecorder main;
};

// ---- the list ----

TEST_F(ConsoleTest, LinesAreShownWithoutTerminatorJustAbovePrompt) {
    CConsoleWnd console(300, "Console");
    EXPECT_EQ(Items(console), QStringList{"|"});
    console.OnReceiverLine("$GPGGA,013045,3540.1234,N*5A\r\n");
    console.OnReceiverLine("SMV104 native\n");
    console.OnReceiverLine("[AMI] Ready\rtrailing");
    console.OnReceiverLine("no terminator at all");
    EXPECT_EQ(Items(console), (QStringList{"$GPGGA,013045,3540.1234,N*5A", "SMV104 native",
                                           "[AMI] Ready", "no terminator at all", "|"}));
}

TEST_F(ConsoleTest, BytesAboveAsciiShowAsOneCharacterEach) {
    CConsoleWnd console(300, "Console");
    console.OnReceiverLine(std::string("\xb1\xb2 ok\r\n"));
    EXPECT_EQ(Items(console).front(), QString::fromLatin1("\xb1\xb2 ok"));
}

TEST_F(ConsoleTest, WithoutTermLinesThe302ndLineDropsTheOldest100) {
    CConsoleWnd console;  // "TERMLINES" absent
    EXPECT_EQ(console.maxLines(), 300);
    FeedNumbered(console, 1, 301);
    QStringList items = Items(console);
    ASSERT_EQ(items.size(), 302) << "301 lines and the prompt";
    EXPECT_EQ(items.front(), "line 1");

    FeedNumbered(console, 302, 302);
    items = Items(console);
    ASSERT_EQ(items.size(), 203) << "202 lines and the prompt";
    EXPECT_EQ(items.front(), "line 101");
    EXPECT_EQ(items[items.size() - 2], "line 302");
    EXPECT_EQ(items.back(), "|");
}

TEST_F(ConsoleTest, TermLinesSetsTheLimit) {
    test::StoredTermLines() = 30;
    CConsoleWnd console;
    EXPECT_EQ(console.maxLines(), 30);
    FeedNumbered(console, 1, 32);
    const QStringList items = Items(console);
    // The 32nd line went in at index 31 with 32 items before it: 10 dropped.
    ASSERT_EQ(items.size(), 23);
    EXPECT_EQ(items.front(), "line 11");
}

TEST_F(ConsoleTest, HorizontalExtentGrowsToTheWidestLineAndNeverShrinks) {
    CConsoleWnd console(300, "Console");
    console.resize(320, 200);
    console.show();
    const ConsoleLines& lines = console.list().lines();
    const int start = lines.horizontalExtent();
    const std::string wide(120, 'W');
    console.OnReceiverLine(wide + "\r\n");
    const int grown = lines.horizontalExtent();
    EXPECT_GE(grown, console.list().fontMetrics().horizontalAdvance(QString(120, 'W')));
    EXPECT_GT(grown, start);
    console.OnReceiverLine("short\r\n");
    EXPECT_EQ(lines.horizontalExtent(), grown);
    Settle();
    EXPECT_GE(console.list().horizontalScrollBar()->maximum(),
              grown - console.list().viewport()->width() - 1)
        << "the view can scroll to the end of the widest line";
}

// ---- following the newest line ----

TEST_F(ConsoleTest, ViewFollowsNewLinesOnlyWhileAtTheBottom) {
    CConsoleWnd console(300, "Console");
    console.resize(400, 200);
    console.show();
    QScrollBar* bar = console.list().verticalScrollBar();
    FeedNumbered(console, 1, 100);
    Settle();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum()) << "at the bottom the view follows";

    bar->setValue(10);  // the user scrolls up
    FeedNumbered(console, 101, 120);
    Settle();
    EXPECT_EQ(bar->value(), 10) << "scrolled up: the view stays";

    bar->setValue(bar->maximum());
    FeedNumbered(console, 121, 140);
    Settle();
    EXPECT_EQ(bar->value(), bar->maximum()) << "back at the bottom it follows again";
    EXPECT_TRUE(console.list().viewport()->rect().contains(
        console.list().RowRect(console.list().lines().count() - 1).topLeft()))
        << "the prompt is in view";
}

// A list view showing the same lines as list items, each as wide as the widest line: what the
// Console must look like, scroll bars included.
class ListViewOfTheSameLines : public QListView {
  public:
    explicit ListViewOfTheSameLines(const ConsoleList& console) {
        setFont(console.font());
        setPalette(console.palette());
        setSelectionMode(QAbstractItemView::NoSelection);
        setUniformItemSizes(true);
        setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setTextElideMode(Qt::ElideNone);
        setFrameShape(QFrame::NoFrame);
        model_.setStringList(console.lines().lines());
        model_.itemSize = QSize(console.lines().horizontalExtent(), fontMetrics().height());
        setModel(&model_);
        resize(console.size());
        show();
        Settle();
    }

  private:
    struct Model : QStringListModel {
        QVariant data(const QModelIndex& index, int role) const override {
            return role == Qt::SizeHintRole ? QVariant(itemSize)
                                            : QStringListModel::data(index, role);
        }
        QSize itemSize;
    };
    Model model_;
};

// What the window system shows of a window: the pixels kept from its paints, not a fresh
// drawing of it.
QImage OnScreen(QWidget& widget) {
    Settle();
    const QPoint corner = widget.mapTo(widget.window(), QPoint(0, 0));
    return widget.screen()
        ->grabWindow(widget.window()->winId(), corner.x(), corner.y(), widget.width(),
                     widget.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage Drawn(QWidget& widget) {
    Settle();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(ConsoleTest, DrawsExactlyAsAListViewOfTheSameLines) {
    CConsoleWnd console(300, "Console");
    console.resize(400, 200);
    console.show();
    FeedNumbered(console, 1, 30);
    // Markup-like text stays text; a scrolled view draws lines cut at the left edge.
    console.OnReceiverLine("<b>bold?</b> &amp; $GPGGA,120000,3540.8742,N*45\r\n");
    console.OnReceiverLine(std::string(80, 'W') + "\r\n");
    Settle();
    ConsoleList& list = console.list();
    ListViewOfTheSameLines expected(list);
    for (const int left : {0, 37}) {
        for (const int top : {list.verticalScrollBar()->maximum(), 3}) {
            list.horizontalScrollBar()->setValue(left);
            list.verticalScrollBar()->setValue(top);
            expected.horizontalScrollBar()->setValue(left);
            expected.verticalScrollBar()->setValue(top);
            EXPECT_EQ(list.verticalScrollBar()->maximum(), expected.verticalScrollBar()->maximum());
            EXPECT_EQ(list.horizontalScrollBar()->maximum(),
                      expected.horizontalScrollBar()->maximum());
            EXPECT_TRUE(Drawn(list) == Drawn(expected)) << "scrolled to " << left << ", " << top;
        }
    }
    // With the focus, the prompt's row shows the caret as the list's current item.
    expected.setCurrentIndex(expected.model()->index(list.lines().count() - 1, 0));
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
    expected.verticalScrollBar()->setValue(expected.verticalScrollBar()->maximum());
    const auto focused = [](QWidget& widget) {
        widget.activateWindow();
        widget.setFocus();
        Settle();
        EXPECT_TRUE(widget.hasFocus());
        return Drawn(widget);
    };
    EXPECT_TRUE(focused(list) == focused(expected));
}

TEST_F(ConsoleTest, RowsMovedAndDroppedOnScreenMatchAFreshDrawing) {
    // Lines arrive in drains of a few, some wider than all before, and the limit drops the
    // oldest third now and then; the user scrolls up and back down in between.
    CConsoleWnd console(40, "Console");
    console.resize(400, 200);
    console.show();
    ConsoleList& list = console.list();
    for (int drain = 0; drain < 40; ++drain) {
        for (int i = 0; i < drain % 4 + 1; ++i) {
            console.OnReceiverLine("drain " + std::to_string(drain) + std::string(drain % 9, '-') +
                                   "\r\n");
        }
        if (drain == 20) {
            list.verticalScrollBar()->setValue(2);
        } else if (drain == 30) {
            list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
        }
        ASSERT_TRUE(OnScreen(list) == Drawn(list)) << "after drain " << drain;
    }
}

// ---- keys ----

TEST_F(ConsoleTest, TypedCharacterOpensCommandsDialogAndSendsThroughMainWindow) {
    CConsoleWnd console(300, "Console");
    Type(&console.list(), Qt::Key_At, "@");
    Type(&console.list(), Qt::Key_1, "1");  // a digit is a command character here, not a window key
    EXPECT_EQ(test::CommandsDialogOpenings(), (QStringList{"@", "1"}));
    EXPECT_EQ(main.sent, (std::vector<std::string>{"@\r\n", "1\r\n"}));
}

TEST_F(ConsoleTest, ControlCharacterOpensAnEmptyDialogAndMovementKeysDoNot) {
    CConsoleWnd console(300, "Console");
    Type(&console.list(), Qt::Key_Return, "\r");
    Type(&console.list(), Qt::Key_A, "\x01", Qt::ControlModifier);
    Type(&console.list(), Qt::Key_Up, QString());
    Type(&console.list(), Qt::Key_PageDown, QString());
    EXPECT_EQ(test::CommandsDialogOpenings(), (QStringList{QString(), QString()}));
    EXPECT_TRUE(main.sent.empty());
}

TEST_F(ConsoleTest, EndClosesTheConsoleAndHomeKeepsIt) {
    auto* console = new CConsoleWnd(300, "Console");
    QPointer<CConsoleWnd> alive(console);
    console->show();
    Type(&console->list(), Qt::Key_Home, QString());
    Settle();
    ASSERT_TRUE(alive);
    EXPECT_EQ(main.closed, 0);

    Type(&console->list(), Qt::Key_End, QString());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive) << "closed and deleted";
    EXPECT_EQ(main.closed, 1) << "the main window was told";
    EXPECT_TRUE(test::CommandsDialogOpenings().isEmpty());
}

}  // namespace
}  // namespace orbex
