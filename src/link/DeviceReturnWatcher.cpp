#include "link/DeviceReturnWatcher.h"

#include "serial/Devices.h"

#include <QSocketNotifier>

#include <system_error>

namespace app {

namespace {

bool Present(const std::string &device) {
    std::error_code error;
    return !device.empty() && std::filesystem::exists(device, error);
}

} // namespace

DeviceReturnWatcher::DeviceReturnWatcher(std::function<std::string()> device,
                                         std::filesystem::path root,
                                         std::chrono::milliseconds settle, QObject *parent)
    : QObject(parent), device_(std::move(device)),
      watcher_(std::make_unique<serial::PortWatcher>(std::move(root))),
      present_(Present(device_())) {
    settle_.setSingleShot(true);
    settle_.setInterval(settle);
    connect(&settle_, &QTimer::timeout, this, &DeviceReturnWatcher::Look);
    if (watcher_->Descriptor() >= 0) {
        notifier_ = new QSocketNotifier(watcher_->Descriptor(), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &DeviceReturnWatcher::Changed);
    }
}

DeviceReturnWatcher::~DeviceReturnWatcher() = default;

void DeviceReturnWatcher::Changed() {
    if (watcher_->TakeChanges())
        settle_.start();
}

void DeviceReturnWatcher::Look() {
    const bool present = Present(device_());
    const bool returned = present && !present_;
    present_ = present;
    if (returned)
        emit Returned();
}

} // namespace app
