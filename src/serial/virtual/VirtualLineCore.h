// The shared state of a virtual serial line and the engine that moves bytes, raises
// events and completes overlapped operations. Internal to VirtualSerialLine.
//
// Every operation is completed with the line's lock held, as a device driver completes
// its requests: once a call that ends an operation (SetCommMask, PurgeComm, closing) has
// returned, nothing writes into that operation's header or buffer any more, so its owner
// may release them.
#pragma once

#include "serial/port/ReadQueue.h"
#include "serial/virtual/VirtualSerialLine.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace serial {

struct PendingWrite {
    const std::uint8_t *buffer = nullptr; // the caller's memory, read as the bytes leave
    std::uint32_t count = 0;
    std::uint32_t sent = 0;
    TOverlapped *overlapped = nullptr;
    bool started = false;
    DeviceTime deadline = kNever; // from the moment it reaches the head
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
    ReadQueue reads;
    std::deque<PendingWrite> writes;
    std::optional<PendingWait> wait;
    bool xoffHeld = false;
    bool inputHeld = false; // the input handshake has dropped its line

    // Module's end.
    std::deque<std::uint8_t> toModule;
    std::size_t moduleCapacity = 65536;
    bool cts = false, dsr = false, ring = false, rlsd = false;
    bool rts = false, dtr = false;
    std::uint64_t activity = 0;
    std::uint64_t moduleWakes = 0; // WakeModule calls

    // Tests.
    std::array<int, 11> callCounts{};
    std::array<int, 11> failures{};

    // Service thread, started with the first timed operation.
    std::thread service;
    bool stopping = false;

    // All of the following run with mutex held.
    void Raise(std::uint32_t events);
    // Moves bytes and ends operations that are due; extraRoom lets a reading module take
    // bytes beyond its capacity.
    void Pump(std::size_t extraRoom = 0);
    bool OutputHeld() const;
    void ApplyLineModes();
    void UpdateHandshakeLines();
    void SetLine(bool &line, bool on);
    void EndWait(int error, std::uint32_t events);
    void AbortWrites(int error);
    void Touch();
    void EnsureService();

private:
    void Transmit(std::size_t extraRoom);
    void ServeReads();
    void ExpireWrite();
    DeviceTime NextDeadline() const;
    void ServiceLoop();
};

} // namespace serial
