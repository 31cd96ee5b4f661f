// The port's events delivered by the main thread's own loop, in the synchronised delivery
// modes: the loop watches the port's pending device wait (the device's input descriptor,
// and a descriptor that the wait's completion writes), so that a byte on the line reaches
// the handlers without crossing a thread. The same events, in the same order, on the same
// thread as an event worker would deliver them.
#pragma once

#include "base/sync.h"
#include "serial/port/SerialDevice.h"
#include "serial/port/SerialTypes.h"

#include <cstdint>
#include <exception>
#include <memory>

namespace serial {

class TCustomSerialPort;

class TMainLoopEvents {
public:
    // Main thread, from Open: sets the device's event mask from the port's Events and
    // starts waiting. Raises std::system_error, before anything else, when no descriptor
    // can be had for the wait's completion.
    TMainLoopEvents(TCustomSerialPort &port, platform::SyncQueue &queue);
    // Delivers what has come and is not delivered yet (as Close serves a worker's
    // pending delivery), then stops, with the closing steps of the device wait.
    ~TMainLoopEvents();
    TMainLoopEvents(const TMainLoopEvents &) = delete;
    TMainLoopEvents &operator=(const TMainLoopEvents &) = delete;

    // Stops watching without delivering anything more; from inside a delivery, the
    // closing steps follow once it has returned.
    void RequestStop();

    // Delivery has ended: a handler's exception (smThreadSync) or a device that refuses
    // to wait any more (it has gone away).
    bool Finished() const { return finished_; }
    std::exception_ptr FatalException() const { return fatal_; }
    TSerialEvents Occurred() const { return occurred_; }

private:
    void Arm();
    void OnInput();
    void OnCompletion();
    void TakeCompletion();
    void Dispatch();
    void Watch(bool on);
    void Close();

    TCustomSerialPort &port_;
    platform::SyncQueue &queue_;
    std::shared_ptr<SerialDevice> device_; // held until the closing steps are done
    const TSyncMethod method_;
    TWaitEvent completed_{true};
    TOverlapped overlapped_;
    std::uint32_t mask_ = 0;
    int completionFd_ = -1;
    std::unique_ptr<platform::DescriptorWatch> completionWatch_;
    std::unique_ptr<platform::DescriptorWatch> inputWatch_;
    int inputFd_ = -1;
    std::shared_ptr<WaitPump> pump_;   // the device's own wait, while one is pending
    std::shared_ptr<WaitPump> lentTo_; // the pump told that this loop watches its input
    TSerialEvents occurred_;
    bool delivering_ = false;
    bool stopping_ = false;
    bool closed_ = false;
    bool finished_ = false;
    std::exception_ptr fatal_;
};

} // namespace serial
