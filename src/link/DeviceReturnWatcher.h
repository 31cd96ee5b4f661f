// Tells when the device behind the link's port comes back after it went away (a USB adapter
// plugged in again), so that the link can start again by itself.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QSocketNotifier;

namespace serial {
class PortWatcher;
}

namespace app {

class DeviceReturnWatcher : public QObject {
    Q_OBJECT

public:
    // `device` gives the path of the device that the port leads to now; `root` is the
    // folder that holds dev/ ("/" on a running system). A device makes several changes in
    // a row when it comes (its node, then its stable names and permissions): it is looked
    // for once they have been quiet for `settle`.
    DeviceReturnWatcher(std::function<std::string()> device, std::filesystem::path root = "/",
                        std::chrono::milliseconds settle = std::chrono::milliseconds(500),
                        QObject *parent = nullptr);
    ~DeviceReturnWatcher() override;

    // Looks whether the device is there: one that is there after it was missing is a return.
    void Look();

signals:
    void Returned();

private:
    void Changed();

    std::function<std::string()> device_;
    std::unique_ptr<serial::PortWatcher> watcher_;
    QSocketNotifier *notifier_ = nullptr;
    QTimer settle_;
    bool present_;
};

} // namespace app
