#include "serial/port/MainLoopEvents.h"

#include "serial/port/PortEventReceiver.h"
#include "serial/port/SerialPort.h"

#include <cerrno>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace serial {

TMainLoopEvents::TMainLoopEvents(TCustomSerialPort &port, platform::SyncQueue &queue)
    : port_(port), queue_(queue), device_(port.device_), method_(port.SyncMethod()) {
    overlapped_.hEvent = &completed_;
    completionFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (completionFd_ < 0) // no descriptor left: the port's worker waits instead
        throw std::system_error(errno, std::generic_category(), "eventfd");
    // As the worker does: the result is not examined, a device that refuses the mask
    // simply reports nothing.
    device_->SetCommMask(EventsToMask(port.Events()));
    completed_.NotifyDescriptor(completionFd_);
    completionWatch_ = queue_.Watch(completionFd_, [this] { OnCompletion(); });
    Arm();
}

TMainLoopEvents::~TMainLoopEvents() {
    if (!stopping_ && !finished_ && !delivering_) {
        // What has come is delivered, as Close runs a worker's pending delivery; the
        // wait is not started again.
        stopping_ = true;
        if (pump_)
            pump_->TakeIn();
        TakeCompletion();
    }
    // Event messages already posted run while the port is still open, as the join of a
    // worker serves them.
    if (method_ == smWindowSync && queue_.IsMainThread())
        queue_.RunPending();
    Close();
    inputWatch_.reset();
    completionWatch_.reset();
    ::close(completionFd_);
}

void TMainLoopEvents::RequestStop() {
    stopping_ = true;
    Watch(false);
    if (!delivering_)
        Close();
}

// Starts the next device wait and watches for its end. A wait that ends at once has
// written the completion descriptor already: it is delivered from the loop, never from
// inside the call that started it (Open, or the delivery before).
void TMainLoopEvents::Arm() {
    if (stopping_ || finished_)
        return;
    if (!device_->WaitCommEvent(mask_, overlapped_) && GetLastError() != ERROR_IO_PENDING) {
        // A device that refuses to wait (it has gone away): waiting again would only spin,
        // and the batch of the last pass must not be delivered again.
        finished_ = true;
        Watch(false);
        return;
    }
    pump_ = AttachedWaitPump(overlapped_);
    if (pump_ && pump_ != lentTo_ && pump_->Descriptor() >= 0) {
        if (lentTo_)
            lentTo_->SetLoopWatching(false);
        inputFd_ = pump_->Descriptor();
        inputWatch_ = queue_.Watch(inputFd_, [this] { OnInput(); });
        pump_->SetLoopWatching(true);
        lentTo_ = pump_;
    }
    Watch(true);
}

// Turning a loop's watch on and off costs more than the rest of a reading's way, so the
// watches stay on from one batch to the next; only a nested loop inside a handler that
// finds one readable turns them off until the batch has ended: it must neither deliver the
// next batch before this one has ended nor spin on a readable descriptor.
void TMainLoopEvents::Watch(bool on) {
    if (completionWatch_)
        completionWatch_->SetEnabled(on);
    if (inputWatch_)
        inputWatch_->SetEnabled(on && pump_ && pump_ == lentTo_);
}

void TMainLoopEvents::OnInput() {
    if (delivering_) {
        Watch(false);
        return;
    }
    if (stopping_ || !pump_)
        return;
    {
        // A completion by this very call is looked at below: it need not wake the loop.
        const TWaitEvent::LookingSelf looking(completed_);
        pump_->TakeIn();
    }
    TakeCompletion();
}

void TMainLoopEvents::OnCompletion() {
    if (delivering_) {
        Watch(false);
        return;
    }
    // Emptied before the look, so that a completion after it wakes the loop again.
    std::uint64_t count;
    [[maybe_unused]] ssize_t got = ::read(completionFd_, &count, sizeof count);
    if (!stopping_)
        TakeCompletion();
}

void TMainLoopEvents::TakeCompletion() {
    if (!completed_.IsSet())
        return;
    pump_.reset();
    std::uint32_t transferred = 0;
    // A result that cannot be fetched dispatches nothing for this pass.
    if (GetOverlappedResult(overlapped_, transferred, false)) {
        occurred_ = MaskToEvents(mask_);
        Dispatch();
    }
    if (stopping_)
        Close(); // stopped from inside the delivery
    else
        Arm();
}

void TMainLoopEvents::Dispatch() {
    if (method_ == smWindowSync) {
        // One message per event in the delivery order; the wait starts again at once, as
        // a worker goes on once its messages are taken.
        for (TSerialEvent event : DeliveryOrder)
            if (occurred_.Contains(event) && port_.NotifyWindow())
                port_.NotifyWindow()->Post(EventsToMask({event}));
        return;
    }
    delivering_ = true;
    try {
        port_.DeliverEvents(occurred_);
    } catch (...) {
        // As in a worker: delivery ends, silently, until the port is opened again.
        fatal_ = std::current_exception();
        finished_ = true;
    }
    delivering_ = false;
}

// The closing steps of the device wait, once: the pending wait ends (a mask of 0) and the
// driver's queues are emptied. After a handler's exception they are left out, as a
// worker's body that the exception ended leaves them.
void TMainLoopEvents::Close() {
    if (closed_)
        return;
    closed_ = true;
    Watch(false);
    if (lentTo_)
        lentTo_->SetLoopWatching(false);
    lentTo_.reset();
    pump_.reset();
    completed_.NotifyDescriptor(-1);
    if (!fatal_) {
        device_->SetCommMask(0);
        device_->PurgeComm(PURGE_TXCLEAR | PURGE_RXCLEAR);
    }
    device_.reset(); // a port closed from inside a delivery lets its device go now
}

} // namespace serial
