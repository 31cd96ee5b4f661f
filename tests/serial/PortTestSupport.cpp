#include "serial/PortTestSupport.h"

#include "base/sync.h"

#include <thread>

namespace serial::testing {

using namespace std::chrono_literals;

std::string PathName(const ::testing::TestParamInfo<DeliveryPath> &info) {
    return info.param == DeliveryPath::MainLoop ? "MainLoop" : "Worker";
}

void PortTest::UsePath(DeliveryPath path) {
    platform::SyncQueue::Instance().SetServesDescriptors(path == DeliveryPath::MainLoop);
}

bool PortTest::DeliveryEnded() const {
    if (const auto *worker = port.EventWorker())
        return worker->Finished();
    return port.LoopEvents() && port.LoopEvents()->Finished();
}

std::exception_ptr PortTest::DeliveryFailure() const {
    if (const auto *worker = port.EventWorker())
        return worker->FatalException();
    return port.LoopEvents() ? port.LoopEvents()->FatalException() : nullptr;
}

void PortTest::SetUp() {
    platform::SyncQueue::Instance().SetMainThread(std::this_thread::get_id());
    SetDeviceOpener(VirtualSerialLine::Opener({{"COM1", com1}, {"COM2", com2}}));
}

void PortTest::TearDown() {
    // Handlers may capture the test body's locals, which are gone by now.
    for (auto *slot : {&port.OnCTSChange, &port.OnDSRChange, &port.OnRLSDChange})
        *slot = {};
    for (auto *slot :
         {&port.OnBeforeOpen, &port.OnAfterOpen, &port.OnBeforeClose, &port.OnAfterClose,
          &port.OnTxEmpty, &port.OnBreak, &port.OnRing, &port.OnRxFlag, &port.OnRx80Full})
        *slot = {};
    port.OnRxChar = {};
    port.OnError = {};
    // A port whose device was pulled cannot be closed; its destruction releases it.
    if (!com1.Unplugged())
        port.Close();
    SetDeviceOpener(nullptr);
    SetExceptionReporter(nullptr);
    UsePath(DeliveryPath::MainLoop);
}

bool PortTest::PumpUntil(const std::function<bool()> &done) {
    const auto limit = std::chrono::steady_clock::now() + 20s;
    for (;;) {
        platform::SyncQueue::Instance().RunPending();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(1ms);
    }
}

bool PortTest::PumpUntilWaiting(int before, int waits) {
    return PumpUntil([&] { return Waits() >= before + waits; });
}

void PortTest::RecordEvents() {
    auto note = [this](std::string text) {
        return TNotifyEvent::FromFunction(
            [this, text](platform::TObject *) { log.push_back(text); });
    };
    auto signal = [this](std::string name) {
        return TSerialSignalEvent::FromFunction([this, name](platform::TObject *, bool on) {
            log.push_back(name + (on ? "=1" : "=0"));
        });
    };
    port.OnBeforeOpen = note("BeforeOpen");
    port.OnAfterOpen = note("AfterOpen");
    port.OnBeforeClose = note("BeforeClose");
    port.OnAfterClose = note("AfterClose");
    port.OnTxEmpty = note("TxEmpty");
    port.OnBreak = note("Break");
    port.OnRing = note("Ring");
    port.OnRxFlag = note("RxFlag");
    port.OnRx80Full = note("Rx80Full");
    port.OnCTSChange = signal("CTS");
    port.OnDSRChange = signal("DSR");
    port.OnRLSDChange = signal("RLSD");
    port.OnRxChar = TRxCharEvent::FromFunction([this](platform::TObject *, int count) {
        log.push_back("RxChar " + std::to_string(count));
    });
    port.OnError = TSerialErrorEvent::FromFunction([this](platform::TObject *, TSerialErrors e) {
        log.push_back("Error " + std::to_string(e.ToBits()));
    });
}

void PortTest::ConfigureAsMainWindow() {
    port.SetBaudRate(br9600);
    port.SetPort("COM1");
    port.Parity().SetBits(prNone);
    port.SetStopBits(sbOneStopBit);
    port.SetDataBits(dbEight);
    port.SetEvents(AllSerialEvents);
    port.FlowControl().SetFlowControl(fcNone);
    port.FlowControl().SetOutDSRFlow(false);
    port.FlowControl().SetDSRSensitivity(false);
    port.FlowControl().SetTxContinueOnXoff(false);
    port.FlowControl().SetControlDTR(dtrDisable);
}

} // namespace serial::testing
