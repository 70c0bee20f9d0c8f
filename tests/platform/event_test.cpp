#include "platform/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace orbex {
namespace {

using std::chrono::milliseconds;

TEST(EventTest, AutoResetReleasesOneWaitThenIsClearAgain) {
    Event event(Event::Reset::Auto);
    EXPECT_FALSE(event.Wait(milliseconds(0)));
    event.Set();
    event.Set();  // a second Set before any wait does not count twice
    EXPECT_TRUE(event.IsSet());
    EXPECT_TRUE(event.Wait(milliseconds(0)));
    EXPECT_FALSE(event.IsSet());
    EXPECT_FALSE(event.Wait(milliseconds(10)));

    Event initiallySet(Event::Reset::Auto, true);
    EXPECT_TRUE(initiallySet.Wait(milliseconds(0)));
    EXPECT_FALSE(initiallySet.Wait(milliseconds(0)));
}

TEST(EventTest, ManualResetStaysSignalledUntilReset) {
    Event event(Event::Reset::Manual);
    event.Set();
    EXPECT_TRUE(event.Wait(milliseconds(0)));
    EXPECT_TRUE(event.Wait(milliseconds(0)));
    event.WaitForever();
    EXPECT_TRUE(event.IsSet());
    event.ResetSignal();
    EXPECT_FALSE(event.Wait(milliseconds(10)));
}

TEST(EventTest, TheLongestTimeOutsDoNotOverflow) {
    Event first(Event::Reset::Auto, true);
    Event second(Event::Reset::Auto, true);
    EXPECT_TRUE(first.Wait(milliseconds::max()));
    EXPECT_EQ(Event::WaitAny(first, second, milliseconds::max()), 1);
    EXPECT_FALSE(first.Wait(milliseconds(-5)));
}

// Three threads wait on the event for up to `timeout` each; once they have had time to start
// waiting the event is set once. Returns how many of them it released.
int WaitersReleasedByOneSet(Event& event, milliseconds timeout) {
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i) {
        waiters.emplace_back([&] {
            if (event.Wait(timeout)) {
                ++released;
            }
        });
    }
    std::this_thread::sleep_for(milliseconds(20));
    event.Set();
    for (auto& waiter : waiters) {
        waiter.join();
    }
    return released;
}

TEST(EventTest, SetFromAnotherThreadReleasesWaiters) {
    Event event(Event::Reset::Manual);
    // a manual-reset Set releases every waiter
    EXPECT_EQ(WaitersReleasedByOneSet(event, milliseconds(5000)), 3);
}

TEST(EventTest, AutoResetSetReleasesExactlyOneOfSeveralWaiters) {
    Event event(Event::Reset::Auto);
    EXPECT_EQ(WaitersReleasedByOneSet(event, milliseconds(300)), 1);
    EXPECT_FALSE(event.IsSet());
}

TEST(EventTest, WaitAnyReportsWhichEventReleasedIt) {
    Event first(Event::Reset::Auto);
    Event second(Event::Reset::Manual);
    EXPECT_EQ(Event::WaitAny(first, second, milliseconds(10)), -1);

    second.Set();
    EXPECT_EQ(Event::WaitAny(first, second, milliseconds(0)), 1);
    EXPECT_TRUE(second.IsSet());  // manual reset: still signalled

    first.Set();
    EXPECT_EQ(Event::WaitAny(first, second, milliseconds(0)), 0);  // both set: the first
    EXPECT_FALSE(first.IsSet());                                   // auto reset: consumed
    EXPECT_EQ(Event::WaitAny(first, second, milliseconds(0)), 1);
}

TEST(EventTest, WaitAnyWakesOnASetFromAnotherThread) {
    for (int which = 0; which < 2; ++which) {
        Event first(Event::Reset::Auto);
        Event second(Event::Reset::Auto);
        std::thread setter([&] {
            std::this_thread::sleep_for(milliseconds(20));
            (which == 0 ? first : second).Set();
        });
        EXPECT_EQ(Event::WaitAny(first, second, milliseconds(5000)), which);
        setter.join();
        EXPECT_FALSE(first.IsSet());
        EXPECT_FALSE(second.IsSet());
    }
}

TEST(EventTest, WaitAnyAndWaitShareOneAutoResetSignal) {
    // The reader thread waits on its stop event alone while a worker waits on it together
    // with another event: one Set must release one of them, never both.
    Event shared(Event::Reset::Auto);
    Event other(Event::Reset::Auto);
    std::atomic<int> released{0};
    std::thread single([&] {
        if (shared.Wait(milliseconds(300))) {
            ++released;
        }
    });
    std::thread any([&] {
        if (Event::WaitAny(other, shared, milliseconds(300)) == 1) {
            ++released;
        }
    });
    std::this_thread::sleep_for(milliseconds(20));
    shared.Set();
    single.join();
    any.join();
    EXPECT_EQ(released, 1);
}

}  // namespace
}  // namespace orbex
