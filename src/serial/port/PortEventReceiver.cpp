#include "serial/port/PortEventReceiver.h"

#include "base/sync.h"
#include "serial/port/ExceptionReport.h"

namespace serial {

TPortEventReceiver::TPortEventReceiver(std::function<void(std::uint32_t)> handler)
    : handler_(std::make_shared<const std::function<void(std::uint32_t)>>(std::move(handler))) {}

namespace {
// The handling of one message: an exception goes to the exception report.
std::function<void()> Message(std::shared_ptr<const std::function<void(std::uint32_t)>> handler,
                              std::uint32_t eventBit) {
    return [handler = std::move(handler), eventBit] {
        try {
            (*handler)(eventBit);
        } catch (...) {
            ReportCurrentException();
        }
    };
}
} // namespace

void TPortEventReceiver::Send(std::uint32_t eventBit) {
    platform::SyncQueue::Instance().PostAndWaitTaken(Message(handler_, eventBit));
}

void TPortEventReceiver::Post(std::uint32_t eventBit) {
    platform::SyncQueue::Instance().Post(Message(handler_, eventBit));
}

} // namespace serial
