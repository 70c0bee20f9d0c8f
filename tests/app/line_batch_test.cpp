#include "app/line_batch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orbex {
namespace {

using namespace std::chrono_literals;

// A clock that moves only when a line is dispatched, by `perLine`.
struct FakeClock {
    std::chrono::steady_clock::time_point now{};
    std::chrono::milliseconds perLine{1};
};

void Fill(LineQueue& queue, int count) {
    for (int i = 0; i < count; ++i) {
        queue.Push("line " + std::to_string(i) + "\r\n", nullptr);
    }
}

TEST(LineBatch, EndsAfterTwentyMillisecondsAndTheNextBatchGoesOnInOrder) {
    LineQueue queue;
    Fill(queue, 50);
    FakeClock clock;
    std::vector<std::string> seen;
    const auto dispatch = [&](const std::string& line) {
        seen.push_back(line);
        clock.now += clock.perLine;
    };
    const BatchClock now = [&] { return clock.now; };

    EXPECT_TRUE(DrainLineBatch(queue, dispatch, now)) << "30 lines are left";
    EXPECT_EQ(seen.size(), 20u);
    EXPECT_TRUE(DrainLineBatch(queue, dispatch, now));
    EXPECT_EQ(seen.size(), 40u);
    EXPECT_FALSE(DrainLineBatch(queue, dispatch, now)) << "the last ten fit in a batch";
    ASSERT_EQ(seen.size(), 50u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(seen[i], "line " + std::to_string(i) + "\r\n");
    }
    EXPECT_TRUE(queue.Empty());

    // One slow line is a batch of its own, and a cut that empties the queue needs no
    // further drain.
    Fill(queue, 2);
    clock.perLine = 25ms;
    EXPECT_TRUE(DrainLineBatch(queue, dispatch, now));
    EXPECT_EQ(seen.size(), 51u);
    EXPECT_FALSE(DrainLineBatch(queue, dispatch, now));
    EXPECT_EQ(seen.size(), 52u);
}

TEST(LineBatch, LinesQueuedDuringTheBatchJoinItWhileTimeIsLeft) {
    LineQueue queue;
    Fill(queue, 1);
    int posts = 0;
    const OwnerPost post = [&posts](unsigned, std::uintptr_t, std::intptr_t) { ++posts; };
    std::vector<std::string> seen;
    const auto dispatch = [&](const std::string& line) {
        seen.push_back(line);
        if (seen.size() < 5) {
            queue.Push("more\r\n", post);
        }
    };
    const BatchClock now = [] { return std::chrono::steady_clock::time_point{}; };
    EXPECT_FALSE(DrainLineBatch(queue, dispatch, now));
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(posts, 4) << "each line came to an empty queue";
}

}  // namespace
}  // namespace orbex
