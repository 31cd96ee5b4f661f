// Tells when serial devices may have come or gone, without polling: an inotify descriptor
// on /dev, /dev/serial and /dev/serial/by-id that a window can watch for readability.
#pragma once

#include <filesystem>
#include <map>

namespace serial {

class PortWatcher {
public:
    // Watches the folders under root ("/" on a running system) that exist now; the
    // others are watched once they appear.
    explicit PortWatcher(std::filesystem::path root = "/");
    ~PortWatcher();
    PortWatcher(const PortWatcher &) = delete;
    PortWatcher &operator=(const PortWatcher &) = delete;

    // Readable when changes wait to be taken; -1 when the system gives no inotify.
    int Descriptor() const { return fd_; }

    // Reads every waiting change without blocking. True when one of them can change the
    // list of serial devices: a tty node or a stable name made or removed (udev makes
    // /dev/serial/by-id itself with the first USB serial device and removes it with the
    // last, so its parents are watched too).
    bool TakeChanges();

private:
    void Arm();

    std::filesystem::path root_;
    int fd_ = -1;
    std::map<int, int> depth_; // watch descriptor → 0 for /dev, 1 for serial, 2 for by-id
};

} // namespace serial
