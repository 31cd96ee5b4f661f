#include "serial/devices/PortWatcher.h"

#include <array>
#include <cstring>
#include <string_view>

#include <sys/inotify.h>
#include <unistd.h>

namespace serial {

namespace {

constexpr std::uint32_t kChanges =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

// Whether a name made or removed in the watched folder at this depth concerns serial
// devices: in /dev only tty nodes and the "serial" folder, below it everything.
bool Relevant(int depth, std::string_view name) {
    if (depth > 0)
        return true;
    return name.substr(0, 3) == "tty" || name == "serial";
}

} // namespace

PortWatcher::PortWatcher(std::filesystem::path root) : root_(std::move(root)) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    Arm();
}

PortWatcher::~PortWatcher() {
    if (fd_ >= 0)
        ::close(fd_);
}

void PortWatcher::Arm() {
    if (fd_ < 0)
        return;
    const std::filesystem::path dev = root_ / "dev";
    const std::array<std::filesystem::path, 3> folders = {dev, dev / "serial",
                                                          dev / "serial" / "by-id"};
    for (int depth = 0; depth < static_cast<int>(folders.size()); ++depth) {
        // Adding a folder already watched returns its descriptor again; a missing one fails.
        const int wd = ::inotify_add_watch(fd_, folders[depth].c_str(), kChanges | IN_ONLYDIR);
        if (wd >= 0)
            depth_[wd] = depth;
    }
}

bool PortWatcher::TakeChanges() {
    if (fd_ < 0)
        return false;
    bool changed = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const std::string_view name(buffer + at + sizeof event,
                                        ::strnlen(buffer + at + sizeof event, event.len));
            at += static_cast<ssize_t>(sizeof event + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                changed = true; // changes were lost: assume the worst
                continue;
            }
            const auto watched = depth_.find(event.wd);
            if (watched == depth_.end())
                continue;
            if (event.mask & IN_IGNORED) {
                depth_.erase(watched); // its folder went away
                changed = true;
                continue;
            }
            if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF) || Relevant(watched->second, name))
                changed = true;
        }
    }
    // A folder made meanwhile (udev's /dev/serial/by-id) is watched from now on.
    Arm();
    return changed;
}

} // namespace serial
