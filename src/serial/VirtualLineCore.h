// The shared state of a virtual serial line and the engine that moves bytes, raises
// events and completes overlapped operations. Internal to VirtualSerialLine.
#pragma once

#include "serial/VirtualSerialLine.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace serial {

using Clock = std::chrono::steady_clock;

// A result to store in an overlapped header once the line's lock is released.
struct Completion {
    TOverlapped *overlapped;
    int error;
    std::uint32_t transferred;
};
using Completions = std::vector<Completion>;

// Stores the results collected under the lock; called after it is released.
void Deliver(const Completions &completions);

struct PendingRead {
    std::uint8_t *buffer = nullptr;
    std::uint32_t count = 0;
    std::uint32_t got = 0;
    TOverlapped *overlapped = nullptr;
    std::optional<Clock::time_point> deadline; // total time-out
    std::optional<Clock::duration> interval;   // longest pause between two bytes
    Clock::time_point lastByte{};
    bool endOnFirstByte = false;
};

struct PendingWrite {
    const std::uint8_t *buffer = nullptr; // the caller's memory, read as the bytes leave
    std::uint32_t count = 0;
    std::uint32_t sent = 0;
    TOverlapped *overlapped = nullptr;
    std::optional<Clock::time_point> deadline;
};

struct PendingWait {
    std::uint32_t *mask;
    TOverlapped *overlapped;
};

struct VirtualSerialLine::Core {
    Core() = default;
    ~Core();

    std::mutex mutex;
    std::condition_variable moduleChanged; // for the module's waits
    std::condition_variable serviceWake;   // for the time-out service thread

    // Program's end.
    bool open = false;
    bool sessionDead = false; // the open end was unplugged
    bool unplugged = false;
    TDCB dcb{};
    TCommTimeouts timeouts{};
    std::uint32_t inSize = 4096, outSize = 4096;
    std::uint32_t eventMask = 0;
    std::uint32_t eventHistory = 0; // events that occurred while no wait was pending
    std::uint32_t errors = 0;
    std::deque<std::uint8_t> toProgram;
    std::deque<PendingRead> reads;
    std::deque<PendingWrite> writes;
    std::optional<PendingWait> wait;
    bool xoffHeld = false;

    // Module's end.
    std::deque<std::uint8_t> toModule;
    std::size_t moduleCapacity = 65536;
    bool cts = false, dsr = false, ring = false, rlsd = false;
    bool rts = false, dtr = false;
    std::uint64_t activity = 0;

    // Tests.
    std::array<int, 11> callCounts{};
    std::array<int, 11> failures{};

    // Service thread, started with the first timed operation.
    std::thread service;
    bool stopping = false;

    // All of the following run with mutex held.
    void Raise(std::uint32_t events, Completions &done);
    // Moves bytes and ends operations that are due; extraRoom lets a reading module take
    // bytes beyond its capacity.
    void Pump(Completions &done, std::size_t extraRoom = 0);
    bool OutputHeld() const;
    void UpdateHandshakeLines();
    void SetLine(bool &line, bool on);
    void AbortReads(int error, Completions &done);
    void AbortWrites(int error, Completions &done);
    void Touch();
    void EnsureService();

private:
    void Transmit(Completions &done, std::size_t extraRoom);
    void ServeReads(Completions &done);
    void ExpireOperations(Completions &done);
    std::optional<Clock::time_point> NextDeadline() const;
    void ServiceLoop();
};

} // namespace serial
