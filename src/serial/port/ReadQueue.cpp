#include "serial/port/ReadQueue.h"

#include <algorithm>

namespace serial {

void ReadQueue::Add(void *buffer, std::uint32_t count, TOverlapped &overlapped) {
    reads_.push_back(Read{static_cast<std::uint8_t *>(buffer), count, &overlapped, {}});
}

bool ReadQueue::Serve(std::deque<std::uint8_t> &input, const TCommTimeouts &timeouts,
                      DeviceTime now) {
    bool took = false;
    while (!reads_.empty()) {
        Read &read = reads_.front();
        const bool firstLook = !read.progress;
        if (firstLook)
            read.progress.emplace(timeouts, read.count, now);
        ReadProgress &progress = *read.progress;
        const auto bytes = static_cast<std::uint32_t>(
            std::min<std::size_t>(input.size(), read.count - progress.Got()));
        if (bytes > 0) {
            std::copy_n(input.begin(), bytes, read.buffer + progress.Got());
            input.erase(input.begin(), input.begin() + bytes);
            progress.Took(bytes, now);
            took = true;
        }
        if (!progress.Finished(now, firstLook))
            break;
        // A time-out is no error: the read ends with the bytes it has.
        CompleteOverlapped(*read.overlapped, 0, progress.Got());
        reads_.pop_front();
    }
    return took;
}

void ReadQueue::Abort(int error) {
    for (auto &read : reads_)
        CompleteOverlapped(*read.overlapped, error, read.progress ? read.progress->Got() : 0);
    reads_.clear();
}

DeviceTime ReadQueue::Deadline() const {
    if (reads_.empty() || !reads_.front().progress)
        return kNever;
    return reads_.front().progress->Deadline();
}

} // namespace serial
