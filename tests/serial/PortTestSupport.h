// Shared set-up of the port tests: two virtual lines behind "COM1" and "COM2", the test
// thread as the main thread, a recorder of the port's events and a pump that serves
// synchronised calls and the main thread's watched descriptors until a condition holds.
#pragma once

#include "serial/port/SerialPort.h"
#include "serial/virtual/VirtualSerialLine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace serial::testing {

// Where a port in a synchronised mode waits on its device: the main thread's own loop (as
// in the program), or an event worker (where no loop watches descriptors).
enum class DeliveryPath { MainLoop, Worker };
std::string PathName(const ::testing::TestParamInfo<DeliveryPath> &info);

class PortTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Serves synchronised calls on this (the main) thread until done() holds; false when
    // the generous safety limit passes first.
    bool PumpUntil(const std::function<bool()> &done);
    // Serves calls until the worker has gone back to waiting on the device at least
    // `waits` more times than when `before` was counted.
    bool PumpUntilWaiting(int before, int waits = 1);
    int Waits() const { return com1.CallCount(VirtualCall::WaitCommEvent); }

    // Ports opened from now on deliver their synchronised events along this path.
    static void UsePath(DeliveryPath path);
    // The port's delivery has ended (a handler's exception, or a device that refuses to
    // wait), and the exception that ended it.
    bool DeliveryEnded() const;
    std::exception_ptr DeliveryFailure() const;

    // Records every event of the port as a short text: "BeforeOpen", "CTS=1", "RxChar 3"...
    void RecordEvents();
    // The main window's configuration: 9600 8N1, no flow control, all ten events.
    void ConfigureAsMainWindow();

    VirtualSerialLine com1, com2;
    std::vector<std::string> log; // before the port, whose destruction may still log
    TSerialPort port;
};

} // namespace serial::testing
