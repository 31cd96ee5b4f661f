// The synchronise facility without Qt: calls served on the main thread, exceptions
// carried back, and a join that keeps serving calls.
#include "base/sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

class SyncTest : public ::testing::Test {
protected:
    void SetUp() override { queue.SetMainThread(std::this_thread::get_id()); }
    platform::SyncQueue queue;
};

class CallingThread : public platform::Thread {
public:
    CallingThread(platform::SyncQueue &queue, int calls, std::function<void(int)> call)
        : platform::Thread(queue), calls_(calls), call_(std::move(call)) {}

protected:
    void Execute() override {
        for (int i = 0; i < calls_ && !Terminated(); ++i)
            Synchronize([this, i] { call_(i); });
    }

private:
    int calls_;
    std::function<void(int)> call_;
};

TEST_F(SyncTest, CallsRunOnTheMainThreadInOrderUnderLoad) {
    const auto main = std::this_thread::get_id();
    std::vector<int> seen;
    bool allOnMain = true;
    CallingThread worker(queue, 2000, [&](int i) {
        allOnMain = allOnMain && std::this_thread::get_id() == main;
        seen.push_back(i);
    });
    worker.Start();
    worker.WaitFor();
    ASSERT_EQ(seen.size(), 2000u);
    EXPECT_TRUE(allOnMain);
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(seen[i], i);
    EXPECT_TRUE(worker.Finished());
    EXPECT_FALSE(worker.FatalException());
}

TEST_F(SyncTest, ExceptionOnTheMainThreadIsRethrownOnTheWorker) {
    CallingThread worker(queue, 5, [](int i) {
        if (i == 2)
            throw std::runtime_error("handler failed");
    });
    worker.Start();
    worker.WaitFor();
    ASSERT_TRUE(worker.FatalException());
    try {
        std::rethrow_exception(worker.FatalException());
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(), "handler failed");
    }
}

TEST_F(SyncTest, JoinWhileTheWorkerWaitsInASynchronisedCallDoesNotDeadlock) {
    std::atomic<bool> workerBlocked{false};
    int served = 0;
    CallingThread worker(queue, 1000000, [&](int) { ++served; });
    queue.SetWakeUp([&] { workerBlocked = true; });
    worker.Start();
    while (!workerBlocked)
        std::this_thread::yield();
    // The worker now waits for the main thread; stop it and join.
    worker.Terminate();
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
    EXPECT_GE(served, 1);
}

TEST_F(SyncTest, CallFromTheMainThreadRunsAtOnce) {
    int ran = 0;
    queue.Synchronize([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(queue.RunPending(), 0);
}

// A posted call releases its sender once the main thread has taken it: the sender runs
// on while the call does, and the main thread can wait for the sender (a window's
// handler that waits for the thread that sent it its message).
TEST_F(SyncTest, PostedCallReleasesItsSenderOnceTaken) {
    std::atomic<int> sent{0};
    std::atomic<bool> senderDone{false};
    std::vector<int> ran;
    std::thread sender([&] {
        for (int i = 0; i < 3; ++i) {
            queue.PostAndWaitTaken([&, i] {
                ran.push_back(i);
                if (i == 0) { // the sender is released before this call ends
                    while (sent.load() < 1)
                        std::this_thread::yield();
                }
                if (i == 2)
                    throw std::runtime_error("dropped: the call reports its own errors");
            });
            ++sent;
        }
        senderDone = true;
    });
    queue.ServeUntil([&] { return ran.size() == 3; });
    sender.join();
    EXPECT_TRUE(senderDone);
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
}

TEST_F(SyncTest, WakeUpAnnouncesEachQueuedCall) {
    std::atomic<int> wakes{0};
    queue.SetWakeUp([&] { ++wakes; });
    CallingThread worker(queue, 3, [](int) {});
    worker.Start();
    worker.WaitFor();
    EXPECT_EQ(wakes.load(), 3);
}

} // namespace
