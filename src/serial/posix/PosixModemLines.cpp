#include "serial/posix/PosixModemLines.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <pthread.h>

namespace serial {

namespace {

int StopSignal() { return SIGRTMIN + 6; }

void IgnoreStopSignal(int) {}

// sa_flags 0, no SA_RESTART: the interrupted call returns EINTR instead of restarting.
void InstallStopHandler() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_handler = IgnoreStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(StopSignal(), &action, nullptr);
    });
}

} // namespace

PosixModemWatcher::PosixModemWatcher(PosixTerminal &terminal, std::function<void(Report)> notify)
    : terminal_(terminal), notify_(std::move(notify)) {
    InstallStopHandler();
    thread_ = std::thread([this] { Run(); });
}

PosixModemWatcher::~PosixModemWatcher() { Stop(); }

void PosixModemWatcher::Run() {
    while (!stop_) {
        const int error = terminal_.WaitForLineChange();
        if (error == 0) {
            notify_(Report::Changed);
            continue;
        }
        if (error == EINTR)
            continue;
        if (!stop_)
            notify_(error == ENOTTY || error == EINVAL ? Report::Unsupported : Report::Lost);
        break;
    }
    std::lock_guard lock(mutex_);
    hasEnded_ = true;
    ended_.notify_all();
}

void PosixModemWatcher::Stop() {
    if (!thread_.joinable())
        return;
    stop_ = true;
    // A signal that lands just before the thread enters the wait is lost, so it is sent
    // again until the thread says it has ended.
    std::unique_lock lock(mutex_);
    while (!hasEnded_) {
        pthread_kill(thread_.native_handle(), StopSignal());
        ended_.wait_for(lock, std::chrono::milliseconds(20));
    }
    lock.unlock();
    thread_.join();
}

} // namespace serial
