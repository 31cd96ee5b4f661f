// A pseudo-terminal pair for the termios device's tests (the device opens the slave
// path, the test plays the far end on the master), and the overlapped records and reads
// the device tests share.
#pragma once

#include "serial/posix/PosixSerialDevice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace serial::testing {

class PtyPair {
public:
    PtyPair() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master_ < 0 || grantpt(master_) < 0 || unlockpt(master_) < 0)
            throw std::runtime_error("no pseudo-terminal");
        char name[128];
        if (ptsname_r(master_, name, sizeof name) != 0)
            throw std::runtime_error("no pseudo-terminal name");
        path_ = name;
    }
    ~PtyPair() { CloseMaster(); }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    const std::string &SlavePath() const { return path_; }
    int Master() const { return master_; }

    void Send(const std::string &bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + sent, bytes.size() - sent);
            if (n > 0)
                sent += static_cast<std::size_t>(n);
            else if (errno != EAGAIN && errno != EINTR)
                throw std::runtime_error("master write failed");
            else
                WaitFor(POLLOUT, 1000);
        }
    }

    // Reads until want bytes have come or nothing more comes within quietMs.
    std::string Receive(std::size_t want, int quietMs = 2000) {
        std::string got;
        while (got.size() < want && WaitFor(POLLIN, quietMs)) {
            char buffer[4096];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    bool WaitFor(short events, int timeoutMs) {
        pollfd fd{master_, events, 0};
        return poll(&fd, 1, timeoutMs) > 0 && (fd.revents & events);
    }

    void CloseMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string path_;
};

inline TDCB Dcb8N1(std::uint32_t rate = 9600) {
    TDCB dcb;
    dcb.BaudRate = rate;
    dcb.Flags = fBinary;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 17;
    dcb.XoffChar = 19;
    return dcb;
}

// The component's defaults: a read returns at once with what waits.
inline TCommTimeouts ReturnAtOnce() { return {MAXDWORD, 0, 0, 100, 1000}; }

// An overlapped header with its own event, as the component's async records carry.
struct Async {
    TWaitEvent event{true};
    TOverlapped overlapped;
    Async() { overlapped.hEvent = &event; }
    // Waits for the end (with a generous safety limit); the byte count, or -1 with the
    // error in error (ETIMEDOUT: it never ended).
    long Result(int &error) {
        if (WaitForEvents({&event}, 20000) != 0) {
            error = ETIMEDOUT;
            return -1;
        }
        std::uint32_t transferred = 0;
        if (GetOverlappedResult(overlapped, transferred, false)) {
            error = 0;
            return transferred;
        }
        error = GetLastError();
        return -1;
    }
    // The same, waited for as the main thread's loop waits for a device's event wait: on
    // the device's own descriptor (taking in, on this thread, what the device has) and
    // on a descriptor that the completion writes; no thread is blocked in the device.
    long LoopResult(int &error) {
        const int completion = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        event.NotifyDescriptor(completion);
        const auto pump = AttachedWaitPump(overlapped);
        const int input = pump ? pump->Descriptor() : -1;
        if (input >= 0)
            pump->SetLoopWatching(true);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!event.IsSet() && std::chrono::steady_clock::now() < limit) {
            pollfd fds[2] = {{completion, POLLIN, 0}, {input, POLLIN, 0}};
            if (poll(fds, input >= 0 ? 2 : 1, 100) > 0 && input >= 0 && fds[1].revents)
                pump->TakeIn();
            std::uint64_t count;
            [[maybe_unused]] ssize_t got = ::read(completion, &count, sizeof count);
        }
        if (input >= 0)
            pump->SetLoopWatching(false);
        event.NotifyDescriptor(-1);
        ::close(completion);
        return Result(error);
    }
};

// A read under the "return at once" record: what waited, up to count.
inline std::string ReadNow(SerialDevice &device, std::uint32_t count) {
    std::string text(count, '\0');
    Async read;
    std::uint32_t got = 0;
    const bool atOnce = device.ReadFile(text.data(), count, &got, read.overlapped);
    EXPECT_TRUE(atOnce) << GetLastError();
    if (!atOnce)
        device.PurgeComm(PURGE_RXABORT); // ends it before its record goes
    text.resize(atOnce ? got : 0);
    return text;
}

} // namespace serial::testing
