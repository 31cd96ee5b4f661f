#include "serial/port/PortEventReceiver.h"

#include "platform/sync.h"
#include "serial/port/ExceptionReport.h"

namespace serial {

TPortEventReceiver::TPortEventReceiver(std::function<void(std::uint32_t)> handler)
    : handler_(std::make_shared<const std::function<void(std::uint32_t)>>(std::move(handler))) {}

void TPortEventReceiver::Send(std::uint32_t eventBit) {
    platform::SyncQueue::Instance().PostAndWaitTaken([handler = handler_, eventBit] {
        try {
            (*handler)(eventBit);
        } catch (...) {
            ReportCurrentException();
        }
    });
}

} // namespace serial
