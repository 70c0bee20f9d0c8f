#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/system_error.h"

namespace orbex {
namespace {

TEST(MessageBoxTest, InstalledFunctionSeesTheRequestAndAnswers) {
    std::vector<MessageRequest> seen;
    MessageBoxFunction previous = SetMessageBoxFunction([&seen](const MessageRequest& request) {
        seen.push_back(request);
        return MessageResult::No;
    });
    EXPECT_EQ(ShowMessageBox("Delete?", "Orbex", MessageIcon::Question, MessageButtons::YesNo),
              MessageResult::No);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Delete?");
    EXPECT_EQ(seen[0].caption, "Orbex");
    EXPECT_EQ(seen[0].icon, MessageIcon::Question);
    EXPECT_EQ(seen[0].buttons, MessageButtons::YesNo);

    // Putting the previous one back returns the one installed here.
    MessageBoxFunction mine = SetMessageBoxFunction(previous);
    ASSERT_TRUE(mine);
    EXPECT_FALSE(previous);
}

TEST(MessageBoxTest, DefaultWritesToStandardErrorAndAgrees) {
    SetMessageBoxFunction({});
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessageBox("End of file"), MessageResult::Ok);
    EXPECT_EQ(ShowMessageBox("Stop?", "TTFF", MessageIcon::Question, MessageButtons::YesNoCancel),
              MessageResult::Yes);
    EXPECT_EQ(ShowMessageBox("Go?", "", MessageIcon::None, MessageButtons::OkCancel),
              MessageResult::Ok);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "End of file\nTTFF: Stop?\nGo?\n");
}

TEST(MessageBoxTest, MessagesFromManyThreadsAllArrive) {
    std::vector<std::string> texts;
    std::mutex textsMutex;
    MessageBoxFunction previous = SetMessageBoxFunction([&](const MessageRequest& request) {
        std::lock_guard<std::mutex> lock(textsMutex);
        texts.push_back(request.text);
        return MessageResult::Ok;
    });
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([i] {
            for (int j = 0; j < 50; ++j) {
                ShowMessageBox(FormatText("Communication Error %d", i * 100 + j));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    SetMessageBoxFunction(previous);
    EXPECT_EQ(texts.size(), 400u);
}

TEST(FormatTextTest, FormatsTheFixedTexts) {
    EXPECT_EQ(FormatText("COM Port Initialization Error\nError Code:%d", 2),
              "COM Port Initialization Error\nError Code:2");
    EXPECT_EQ(FormatText("Communication Error %d", -5), "Communication Error -5");
    EXPECT_EQ(FormatText("%s", ""), "");
    const std::string longText(5000, 'x');
    EXPECT_EQ(FormatText("%s|%d", longText.c_str(), 7), longText + "|7");
}

TEST(SystemErrorTest, EachThreadKeepsItsOwnCode) {
    SetSystemError(kErrorTimeout);
    int otherThreadSaw = -1;
    std::thread other([&] {
        otherThreadSaw = SystemError();
        SetSystemError(kErrorNotEnoughMemory);
    });
    other.join();
    EXPECT_EQ(otherThreadSaw, kErrorSuccess);
    EXPECT_EQ(SystemError(), kErrorTimeout);
    errno = ENOENT;
    SetSystemErrorFromErrno();
    EXPECT_EQ(SystemError(), ENOENT);
}

}  // namespace
}  // namespace orbex
