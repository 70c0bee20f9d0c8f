#include <gtest/gtest.h>

#include <thread>

#include "tools/common/transfer_line_queue.h"

using namespace std::chrono_literals;
using orbex::TransferLineQueue;

TEST(TransferLineQueueTest, LinesComeOutInOrderWithTheirTerminators) {
    TransferLineQueue queue;
    queue.Append("@AMO\r\n");
    queue.Append("[AMO] 01 ...\r\n");
    std::string line;
    // Both lines arrive before the worker looks: one event, yet both are taken without waiting.
    ASSERT_EQ(queue.WaitForLine(line, 0ms), TransferLineQueue::WaitResult::Line);
    EXPECT_EQ(line, "@AMO\r\n");
    ASSERT_EQ(queue.WaitForLine(line, 0ms), TransferLineQueue::WaitResult::Line);
    EXPECT_EQ(line, "[AMO] 01 ...\r\n");
    EXPECT_EQ(queue.WaitForLine(line, 10ms), TransferLineQueue::WaitResult::TimedOut);
}

TEST(TransferLineQueueTest, CancelEndsEveryWaitAndRestartForgetsIt) {
    TransferLineQueue queue;
    std::string line;
    std::thread canceller([&] {
        std::this_thread::sleep_for(20ms);
        queue.Cancel();
    });
    EXPECT_EQ(queue.WaitForLine(line, 10s), TransferLineQueue::WaitResult::Cancelled);
    canceller.join();
    queue.Append("late\r\n");
    EXPECT_EQ(queue.WaitForLine(line, 0ms), TransferLineQueue::WaitResult::Cancelled);
    EXPECT_TRUE(queue.SleepUnlessCancelled(10s));

    queue.Restart();
    EXPECT_EQ(queue.Size(), 0u);
    EXPECT_FALSE(queue.SleepUnlessCancelled(1ms));
}

TEST(TransferLineQueueTest, ALineAppendedWhileWaitingWakesTheWorker) {
    TransferLineQueue queue;
    std::thread producer([&] {
        std::this_thread::sleep_for(20ms);
        queue.Append("$GPGGA\r\n");
    });
    std::string line;
    EXPECT_EQ(queue.WaitForLine(line, 10s), TransferLineQueue::WaitResult::Line);
    EXPECT_EQ(line, "$GPGGA\r\n");
    producer.join();
}
