#include "link/line_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "link/line_hook.h"
#include "platform/event.h"
#include "platform/window_messages.h"

namespace orbex {
namespace {

using std::chrono::milliseconds;

TEST(LineQueueTest, PostsOncePerEmptyToOneLine) {
    LineQueue queue;
    std::vector<unsigned> posts;
    const OwnerPost post = [&posts](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        EXPECT_EQ(wParam, 0u);
        EXPECT_EQ(lParam, 0);
        posts.push_back(message);
    };
    queue.Push("a\r\n", post);
    queue.Push("b\r\n", post);
    queue.Push("c\r\n", post);
    EXPECT_EQ(posts, std::vector<unsigned>{UWM_LINE_QUEUED});
    EXPECT_EQ(queue.Size(), 3u);

    std::string line;
    ASSERT_TRUE(queue.Pop(line));
    EXPECT_EQ(line, "a\r\n");
    queue.Push("d\r\n", post);  // not empty: no notice
    EXPECT_EQ(posts.size(), 1u);

    queue.Clear();
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(queue.Pop(line));
    queue.Push("e\r\n", post);
    EXPECT_EQ(posts.size(), 2u);

    queue.Push("no owner", OwnerPost{});  // an owner without a post function is allowed
    EXPECT_EQ(queue.Size(), 2u);
}

TEST(LineQueueTest, LinesPushedWhileDrainingAreHandledInTheSameDrain) {
    LineQueue queue;
    int posts = 0;
    const OwnerPost post = [&posts](unsigned, std::uintptr_t, std::intptr_t) { ++posts; };
    queue.Push("1", post);
    queue.Push("2", post);
    std::vector<std::string> drained;
    std::string line;
    while (queue.Pop(line)) {
        drained.push_back(line);
        if (line == "1") {
            queue.Push("3", post);  // arrives mid-drain, behind "2"
        }
    }
    EXPECT_EQ(drained, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(posts, 1);  // one notice drained all three
}

TEST(LineQueueTest, ConcurrentProducerLosesNothingAndKeepsOrder) {
    // The main window's way: drain everything on each notice, with a reader thread pushing.
    LineQueue queue;
    Event queued(Event::Reset::Auto);
    std::atomic<int> posts{0};
    const OwnerPost post = [&](unsigned, std::uintptr_t, std::intptr_t) {
        ++posts;
        queued.Set();
    };
    constexpr int kLines = 20000;
    std::thread reader([&] {
        for (int i = 0; i < kLines; ++i) {
            queue.Push(std::to_string(i), post);
        }
    });
    int next = 0;
    int drains = 0;
    while (next < kLines && queued.Wait(milliseconds(5000))) {
        ++drains;
        std::string line;
        while (queue.Pop(line)) {
            ASSERT_EQ(line, std::to_string(next));
            ++next;
        }
    }
    reader.join();
    EXPECT_EQ(next, kLines);
    EXPECT_TRUE(queue.Empty());
    EXPECT_LE(posts.load(), kLines);
    EXPECT_GE(drains, 1);
}

TEST(LineHookTest, CallsTheInstalledRecorderOnly) {
    LineHook hook;
    EXPECT_FALSE(hook.Active());
    hook.Call("lost", 4);  // no recorder: nothing happens
    std::string recorded;
    hook.Install(
        [&recorded](const char* bytes, std::size_t count) { recorded.append(bytes, count); });
    EXPECT_TRUE(hook.Active());
    hook.Call("a\x01\r\n", 4);
    hook.Remove();
    EXPECT_FALSE(hook.Active());
    hook.Call("after", 5);
    EXPECT_EQ(recorded, "a\x01\r\n");
}

TEST(LineHookTest, RemoveWaitsForAnAppendInProgress) {
    LineHook hook;
    Event appending(Event::Reset::Manual);
    std::atomic<bool> appendFinished{false};
    hook.Install([&](const char*, std::size_t) {
        appending.Set();
        std::this_thread::sleep_for(milliseconds(100));
        appendFinished = true;
    });
    std::thread reader([&] { hook.Call("line\r\n", 6); });
    ASSERT_TRUE(appending.Wait(milliseconds(5000)));
    hook.Remove();
    // The log file could now be closed: the append must be over.
    EXPECT_TRUE(appendFinished);
    reader.join();
}

TEST(LineHookTest, TheTwoProcessWideHooksAreDistinct) {
    EXPECT_NE(&ConsoleLogHook(), &ReplayRecordHook());
    EXPECT_EQ(&SharedLineQueue(), &SharedLineQueue());
}

}  // namespace
}  // namespace orbex
