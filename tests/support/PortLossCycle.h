// One device loss through the port component, as a pulled adapter gives it: a port open
// on a pseudo-terminal with bytes going both ways, then the terminal hung up (the device
// comes back under its name) or removed (a new one appears), the loss reported, the port
// closed and opened again on the device that is back. The serial tests run a few of
// these; bench/lost_device runs a hundred and measures what a lost device costs.
#pragma once

#include "PtyHarness.h"

#include "base/sync.h"
#include "serial/port/SerialPort.h"

#include <dirent.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace serial::testing {

// Entries of a /proc/self folder: open descriptors ("fd") or threads ("task").
inline int CountEntries(const char *folder) {
    DIR *dir = opendir((std::string("/proc/self/") + folder).c_str());
    if (!dir)
        return -1;
    int count = 0;
    while (const dirent *entry = readdir(dir))
        count += entry->d_name[0] != '.';
    closedir(dir);
    return count - (std::string(folder) == "fd"); // the folder's own descriptor
}

// The entries of a /proc/self folder once they settle at `expected` (or what they are after
// a generous limit). A joined thread's futex is released as it exits, a moment before the
// kernel drops its /proc/self/task entry: on a busy machine the count lags a little.
inline int SettledCount(const char *folder, int expected) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int count = CountEntries(folder);
    while (count != expected && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        count = CountEntries(folder);
    }
    return count;
}

class PortLossCycle {
public:
    enum class Loss { HangUp, Removal };

    PortLossCycle() {
        platform::SyncQueue::Instance().SetMainThread(std::this_thread::get_id());
        SetDeviceOpener(PosixDeviceOpener(""));
        port_.OnRxChar = TRxCharEvent::FromFunction([this](platform::TObject *, int count) {
            std::string text;
            port_.ReadString(text, count);
            received_ += text;
        });
        port_.OnError =
            TSerialErrorEvent::FromFunction([this](platform::TObject *, TSerialErrors errors) {
                lost_ = errors.Contains(ceDeviceIO);
            });
    }
    ~PortLossCycle() {
        port_.OnRxChar = {};
        port_.OnError = {};
        port_.Close();
        SetDeviceOpener(nullptr);
    }

    // Opens the port on the current terminal and moves bytes both ways; "" when it worked,
    // else what went wrong.
    std::string OpenAndExchange() {
        port_.SetPort(pty_->SlavePath());
        port_.Open();
        received_.clear();
        pty_->Send("127");
        if (!Serve([&] { return received_ == "127"; }))
            return "no reading came in";
        if (port_.WriteString("?&") != 2 || pty_->Receive(2) != "?&")
            return "the command did not go out";
        return "";
    }

    // Loses the device while the port is open; false when the hang-up is not allowed here
    // (it needs CAP_SYS_ADMIN). Then waits for the port's report of it.
    bool Lose(Loss loss) {
        lost_ = false;
        if (loss == Loss::HangUp) {
            const int slave = ::open(pty_->SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            const bool hungUp = slave >= 0 && ioctl(slave, TIOCVHANGUP) == 0;
            if (slave >= 0)
                ::close(slave);
            if (!hungUp)
                return false;
        } else {
            pty_->CloseMaster();
        }
        return true;
    }
    bool LossReported() {
        return Serve([&] { return lost_; });
    }
    // The worker or the loop's watch has ended: nothing of the port waits on the lost
    // device any more.
    bool WorkerEnded() {
        return Serve([&] {
            return (!port_.EventWorker() || port_.EventWorker()->Finished()) &&
                   (!port_.LoopEvents() || port_.LoopEvents()->Finished());
        });
    }

    // Closes the port on the lost device; the device comes back (a new terminal after a
    // removal) and the port opens on it again.
    std::string CloseAndReopen(Loss loss) {
        port_.Close();
        if (port_.Connected())
            return "the port did not close";
        if (loss == Loss::Removal)
            pty_ = std::make_unique<PtyPair>();
        return OpenAndExchange();
    }
    void Close() { port_.Close(); }
    // Once delivery has ended on a lost device, the main thread's passes find nothing to
    // serve: no watch left on the hung-up descriptor, which would be readable for ever.
    bool MainThreadIdle() {
        for (int pass = 0; pass < 3; ++pass)
            if (platform::SyncQueue::Instance().RunPending() != 0)
                return false;
        return true;
    }

private:
    // Serves the port's synchronised calls until done holds (false after a generous limit).
    bool Serve(const std::function<bool()> &done) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (std::chrono::steady_clock::now() > limit)
                return false;
            platform::SyncQueue::Instance().RunPending();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    std::unique_ptr<PtyPair> pty_ = std::make_unique<PtyPair>();
    TSerialPort port_;
    std::string received_;
    bool lost_ = false;
};

} // namespace serial::testing
