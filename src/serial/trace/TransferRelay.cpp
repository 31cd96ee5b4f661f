#include "serial/trace/TransferRelay.h"

#include <algorithm>

namespace serial {

TransferRelay::TransferRelay(Ended ended) : ended_(std::move(ended)) {}

TransferRelay::~TransferRelay() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.Set();
    if (watcher_.joinable())
        watcher_.join();
    // A device ends its transfers when it goes; any it left are ended here, so that no
    // caller waits for ever.
    std::lock_guard handOn(handOn_);
    for (auto &transfer : pending_)
        CompleteOverlapped(*transfer->outer, ERROR_OPERATION_ABORTED, 0);
    pending_.clear();
}

void TransferRelay::Started(std::shared_ptr<RelayedTransfer> transfer, bool pending) {
    BeginOverlapped(*transfer->outer);
    if (!pending) {
        ended_(*transfer);
        Complete(*transfer);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(transfer));
        if (!watcher_.joinable())
            watcher_ = std::thread([this] { WatchLoop(); });
    }
    changed_.Set();
}

void TransferRelay::HandOnEnded() {
    std::lock_guard handOn(handOn_);
    std::vector<std::shared_ptr<RelayedTransfer>> ended;
    {
        std::lock_guard lock(mutex_);
        const auto firstEnded = std::stable_partition(
            pending_.begin(), pending_.end(), [](const auto &t) { return !t->ended.IsSet(); });
        ended.assign(firstEnded, pending_.end());
        pending_.erase(firstEnded, pending_.end());
    }
    for (const auto &transfer : ended) {
        ended_(*transfer);
        Complete(*transfer);
    }
}

void TransferRelay::Complete(const RelayedTransfer &transfer) {
    CompleteOverlapped(*transfer.outer, static_cast<int>(transfer.inner.Internal),
                       transfer.inner.InternalHigh);
}

void TransferRelay::WatchLoop() {
    for (;;) {
        changed_.Reset();
        std::vector<std::shared_ptr<RelayedTransfer>> watched;
        bool stopping;
        {
            std::lock_guard lock(mutex_);
            stopping = stopping_;
            watched = pending_;
        }
        if (stopping) {
            HandOnEnded();
            return;
        }
        std::vector<TWaitEvent *> events{&changed_};
        for (const auto &transfer : watched)
            events.push_back(&transfer->ended);
        WaitForEvents(events, INFINITE);
        HandOnEnded();
    }
}

} // namespace serial
