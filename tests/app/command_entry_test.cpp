// Command entry: the escapes and code page 932 handling of EncodeCommand, the history, and
// the Commands dialog sending through the main window's send routine.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <vector>

#include "gui/code_page_932.h"
#include "gui/command_history.h"
#include "gui/commands_dialog.h"
#include "gui/main_window_messages.h"
#include "link/encode_command.h"
#include "platform/window_messages.h"

namespace orbex {
namespace {

struct EncodeCase {
    const char* name;
    std::string typed;
    std::string sent;
};

TEST(EncodeCommandTest, EscapesAndLineEnds) {
    const std::vector<EncodeCase> cases = {
        {"plain command gets CR LF", "@RD1", "@RD1\r\n"},
        {"hex escape", "\\02@", std::string("\x02@\r\n")},
        {"lower-case hex", "\\7f\\aB", "\x7f\xab\r\n"},
        {"two backslashes", "a\\\\b", "a\\b\r\n"},
        {"backslash, one character, end", "@X\\Q", "@XQ\r\n"},
        {"trailing backslash: no line end", "@CD\\", "@CD"},
        {"lone backslash", "\\", ""},
        {"empty text", "", "\r\n"},
        {"NUL byte by escape", "\\00", std::string("\0\r\n", 3)},
        {"non-hex digits follow the rule", "\\GZ", std::string(1, '\x03') + "\r\n"},
    };
    for (const EncodeCase& c : cases) {
        EXPECT_EQ(EncodeCommand(c.typed), c.sent) << c.name;
    }
}

TEST(EncodeCommandTest, DoubleByteCharactersAreCopiedWhole) {
    // "ソ" is 0x83 0x5C: its second byte is a backslash and must not start an escape.
    EXPECT_EQ(EncodeCommand("\x83\x5c"), "\x83\x5c\r\n");
    EXPECT_EQ(EncodeCommand("@\x83\x5c\x83\x5c"), "@\x83\x5c\x83\x5c\r\n");
    // "亜" is 0x88 0x9F: its trail byte lies in the lead-byte range, and the backslash that
    // follows is a real escape.
    EXPECT_EQ(EncodeCommand("\x88\x9f\\41"),
              "\x88\x9f"
              "A\r\n");
    // A lead byte as the very last byte is copied as it is.
    EXPECT_EQ(EncodeCommand("a\x83"), "a\x83\r\n");
    EXPECT_EQ(ToCodePage932(QStringLiteral("ソ表")), "\x83\x5c\x95\x5c");
    EXPECT_EQ(FromCodePage932("\x83\x5c"), QStringLiteral("ソ"));
    EXPECT_EQ(ToCodePage932(QStringLiteral("a€b")), "a?b") << "not in code page 932";
}

TEST(EncodeCommandTest, NeverWritesPastTheBuffer) {
    char buffer[8];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(EncodeCommand("@RD1", buffer, 7), 6u);
    EXPECT_EQ(std::string(buffer, 7), std::string("@RD1\r\n\0", 7));
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(EncodeCommand("@ABCDEFGH", buffer, 5), 4u) << "cut short, no room for CR LF";
    EXPECT_EQ(std::string(buffer, 6), std::string("@ABC\0X", 6));
    EXPECT_EQ(EncodeCommand("@", buffer, 0), 0u);
}

TEST(CommandHistoryTest, KeepsTwentyDistinctCommandsOldestFirst) {
    CommandHistory history;
    history.Add(QStringLiteral("@RD1"));
    history.Add(QStringLiteral("@RD1"));
    EXPECT_EQ(history.entries(), QStringList{QStringLiteral("@RD1")});
    for (int i = 2; i <= 20; ++i) {
        history.Add(QStringLiteral("@C%1").arg(i));
    }
    ASSERT_EQ(history.entries().size(), 20);
    history.Add(QStringLiteral("@C7"));  // a repeat while full loses nothing
    EXPECT_EQ(history.entries().size(), 20);
    EXPECT_EQ(history.entries().front(), QStringLiteral("@RD1"));
    history.Add(QStringLiteral("@C21"));  // the 21st distinct command pushes out the oldest
    EXPECT_EQ(history.entries().size(), 20);
    EXPECT_EQ(history.entries().front(), QStringLiteral("@C2"));
    EXPECT_EQ(history.entries().back(), QStringLiteral("@C21"));
}

// Collects what the dialog sends to the receiver through the main window.
class CommandsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SharedCommandHistory().Clear();
        SetMainWindowHandler([this](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
            if (message == UWM_SEND_TO_RECEIVER) {
                sent.emplace_back(reinterpret_cast<const char*>(wParam),
                                  static_cast<std::size_t>(lParam));
            }
            return std::intptr_t{1};
        });
    }
    void TearDown() override {
        SetMainWindowHandler(nullptr);
        SharedCommandHistory().Clear();
    }
    std::vector<std::string> sent;
};

TEST_F(CommandsDialogTest, TypedAtSignStartsTheFieldAndOkSendsTheCommand) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CCommandsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Commands"));
        EXPECT_EQ(dialog->edit()->text(), QStringLiteral("@"));
        dialog->edit()->setText(QStringLiteral("@RD1"));
        dialog->okButton()->click();
    });
    EXPECT_TRUE(EnterCommand(nullptr, '@'));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "@RD1\r\n");
    EXPECT_EQ(SharedCommandHistory().entries(), QStringList{QStringLiteral("@RD1")});
}

TEST_F(CommandsDialogTest, CancelSendsNothingAndAControlCharacterStartsEmpty) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CCommandsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->edit()->text().isEmpty());
        dialog->reject();
    });
    EXPECT_FALSE(EnterCommand(nullptr, '\r'));
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(SharedCommandHistory().entries().isEmpty());
}

TEST_F(CommandsDialogTest, OkFollowsTheFieldAndTheListOffersTheHistory) {
    SharedCommandHistory().Add(QStringLiteral("@CD"));
    SharedCommandHistory().Add(QStringLiteral("@SR"));
    CCommandsDialog dialog(nullptr, QString());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    ASSERT_EQ(dialog.historyList()->count(), 2);
    EXPECT_EQ(dialog.historyList()->item(0)->text(), QStringLiteral("@CD"));
    dialog.historyList()->setCurrentRow(1);
    EXPECT_EQ(dialog.edit()->text(), QStringLiteral("@SR"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.edit()->setText(QString(300, QLatin1Char('x')));
    EXPECT_EQ(dialog.commandText().size(), CCommandsDialog::kMaxCommandLength);
    dialog.edit()->clear();
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

TEST_F(CommandsDialogTest, SubmittedTextIsEncodedInCodePage932) {
    EXPECT_EQ(SubmitCommand(QStringLiteral("@ソ")), "@\x83\x5c\r\n");
    EXPECT_EQ(SubmitCommand(QStringLiteral("@CD\\")), "@CD");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "@\x83\x5c\r\n");
    EXPECT_EQ(sent[1], "@CD");
}

}  // namespace
}  // namespace orbex
