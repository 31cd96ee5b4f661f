// A device lost under an open port, again and again, on pseudo-terminals: each loss is
// reported, nothing keeps waiting on the lost device, the port closes and opens again on
// the device once it is back, and no descriptor or thread is left behind, whether the
// main thread's loop or an event worker waits on the device.
#include "support/PortLossCycle.h"

#include <gtest/gtest.h>

#include <iostream>
#include <thread>

namespace serial::testing {
namespace {

TEST(PortLoss, HangUpsAndRemovalsLeaveNothingBehind) {
    // A first thread lets a sanitizer's runtime start its own helper thread before the count.
    std::thread([] {}).join();
    // Both ways of waiting on the device: the main thread's loop, and an event worker.
    for (const bool loopWaits : {true, false}) {
        SCOPED_TRACE(loopWaits ? "main loop" : "worker");
        platform::SyncQueue::Instance().SetServesDescriptors(loopWaits);
        const int descriptors = CountEntries("fd");
        const int threads = CountEntries("task");
        bool hangUpsAllowed = true;
        {
            PortLossCycle cycle;
            ASSERT_EQ(cycle.OpenAndExchange(), "");
            using Loss = PortLossCycle::Loss;
            for (Loss loss : {Loss::HangUp, Loss::Removal, Loss::HangUp, Loss::Removal}) {
                // Hanging a terminal up needs CAP_SYS_ADMIN; without it only the removals
                // and the counts are checked.
                if (!cycle.Lose(loss)) {
                    hangUpsAllowed = false;
                    continue;
                }
                ASSERT_TRUE(cycle.LossReported());
                ASSERT_TRUE(cycle.WorkerEnded()) << "nothing left waiting on a lost device";
                ASSERT_TRUE(cycle.MainThreadIdle()) << "the main thread spins on a lost device";
                ASSERT_EQ(cycle.CloseAndReopen(loss), "");
            }
        }
        EXPECT_EQ(SettledCount("fd", descriptors), descriptors);
        EXPECT_EQ(SettledCount("task", threads), threads);
        if (!hangUpsAllowed)
            std::cout << "hang-ups skipped: they need CAP_SYS_ADMIN\n";
    }
    platform::SyncQueue::Instance().SetServesDescriptors(true);
}

} // namespace
} // namespace serial::testing
