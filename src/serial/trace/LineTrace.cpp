#include "serial/trace/LineTrace.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace serial {

namespace {

constexpr std::size_t MaxQueuedBytes = 1 << 20;

// Writes to a descriptor, waiting for room in a pipe opened without blocking.
long WriteSome(int fd, std::string_view bytes) {
    for (;;) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0)
            return n;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd room{fd, POLLOUT, 0};
            ::poll(&room, 1, -1); // an error shows in the next write
            continue;
        }
        return n == 0 ? -EIO : -errno;
    }
}

std::string Tr(const char *text, const std::vector<std::string> &args = {}) {
    return platform::Translated("LineTrace", text, args);
}

// The note of the lines never written to the destination named.
std::string Unwritten(std::size_t count, const std::string &destination) {
    if (count == 1)
        return Tr(QT_TRANSLATE_NOOP("LineTrace", "1 ligne de la trace n'a pas pu être écrite "
                                                 "dans %1."),
                  {destination});
    return Tr(
        QT_TRANSLATE_NOOP("LineTrace", "%1 lignes de la trace n'ont pas pu être écrites dans %2."),
        {std::to_string(count), destination});
}

const char *DirectionMark(TraceDirection direction) {
    switch (direction) {
    case TraceDirection::Out:
        return "->";
    case TraceDirection::In:
        return "<-";
    case TraceDirection::Note:
        return "**";
    case TraceDirection::Port:
        break;
    }
    return "--";
}

} // namespace

std::string FormatTraceLine(const TraceEvent &event) {
    const long long micros =
        std::chrono::duration_cast<std::chrono::microseconds>(event.time).count();
    char head[48];
    std::snprintf(head, sizeof head, "%7lld.%03lld %s ", micros / 1000, micros % 1000,
                  DirectionMark(event.direction));
    std::string line = head;
    line += event.text;
    if (!event.hasBytes)
        return line;
    if (!event.text.empty())
        line += ' ';
    line += '"';
    for (unsigned char byte : event.bytes)
        line += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
    line += "\" ";
    for (unsigned char byte : event.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        line += hex;
    }
    return line;
}

// What the trace's owner and its writer share. The writer keeps it alive, so a writer
// that the end of the trace gave up on (stuck in a write) never touches freed memory.
struct LineTrace::Shared {
    Shared(Sink s, LineTraceOptions o) : sink(std::move(s)), options(std::move(o)) {
        options.capacity = std::max<std::size_t>(options.capacity, 2);
    }
    void QueueDropNote();
    // Tells the user, unless the end of the trace has given up on the writer: its owner
    // may be gone by then.
    void Tell(const std::string &note, bool failure);

    const Sink sink;
    LineTraceOptions options;
    std::mutex mutex;
    std::condition_variable queued, ended;
    std::deque<TraceEvent> queue;
    std::size_t queuedBytes = 0;
    std::size_t dropped = 0;
    std::chrono::nanoseconds firstDropped{};
    std::size_t inFlight = 0;  // lines of the batch being written, not yet written whole
    std::size_t unwritten = 0; // lines given up for good
    std::size_t bytesWritten = 0;
    bool broken = false; // a write failed: nothing more is written
    bool stopping = false;
    bool writerEnded = false;
    bool givenUp = false;   // the end of the trace gave up waiting: write nothing more
    std::mutex tellMutex;   // held while the writer tells, and to give up on it
    bool abandoned = false; // (tellMutex) the end of the trace no longer waits
};

void LineTrace::Shared::QueueDropNote() {
    if (!dropped)
        return;
    queue.push_back(
        {firstDropped,
         TraceDirection::Port,
         std::to_string(dropped) + " trace lines dropped: the trace file could not keep up",
         {},
         false});
    dropped = 0;
}

void LineTrace::Shared::Tell(const std::string &note, bool failure) {
    std::lock_guard lock(tellMutex);
    if (abandoned)
        return;
    if (options.tell)
        options.tell(note);
    if (failure && options.failed)
        options.failed(note);
}

LineTrace::LineTrace(Sink sink, LineTraceOptions options)
    : shared_(std::make_shared<Shared>(std::move(sink), std::move(options))),
      start_(shared_->options.clock()) {
    writer_ = std::thread([shared = shared_] { WriterLoop(shared); });
}

LineTrace::~LineTrace() {
    Shared &s = *shared_;
    std::unique_lock lock(s.mutex);
    if (!s.broken)
        s.QueueDropNote();
    s.stopping = true;
    s.queued.notify_all();
    const bool ended = s.ended.wait_for(lock, s.options.finalWait, [&] { return s.writerEnded; });
    if (!ended) {
        // Stuck in a write (a reader that stopped reading, a terminal held by XOFF): the
        // lines it has not written are given up, and so is the thread, which the end of
        // the process takes with it.
        lock.unlock();
        {
            std::lock_guard tellLock(s.tellMutex);
            s.abandoned = true;
        }
        lock.lock();
        s.givenUp = true;
        s.unwritten += s.inFlight + s.queue.size();
        s.inFlight = 0;
        s.queue.clear();
        writer_.detach();
    }
    if (s.broken)
        s.unwritten += s.dropped;
    const std::size_t unwritten = s.unwritten;
    lock.unlock();
    if (ended)
        writer_.join();
    if (unwritten && s.options.tell)
        s.options.tell(Unwritten(unwritten, s.options.name));
}

std::shared_ptr<LineTrace> LineTrace::OpenFile(const std::string &path, std::string &error,
                                               LineTraceOptions options) {
    if (path == "-") {
        // Standard error is shared with the shell: it is written as it is, blocking, and
        // a write stuck there is given up at the end like any other.
        options.name = Tr(QT_TRANSLATE_NOOP("LineTrace", "la sortie d'erreur"));
        return std::make_shared<LineTrace>(
            [](std::string_view bytes) { return WriteSome(STDERR_FILENO, bytes); },
            std::move(options));
    }
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno == ENXIO
                    ? Tr(QT_TRANSLATE_NOOP("LineTrace", "aucun programme ne lit ce tube nommé ; "
                                                        "lancez d'abord celui qui doit le lire"))
                    : std::strerror(errno);
        return nullptr;
    }
    options.name = path;
    auto file = std::shared_ptr<int>(new int(fd), [](int *owned) {
        ::close(*owned);
        delete owned;
    });
    return std::make_shared<LineTrace>(
        [file](std::string_view bytes) { return WriteSome(*file, bytes); }, std::move(options));
}

void LineTrace::Record(TraceDirection direction, std::string text) {
    Queue({shared_->options.clock() - start_, direction, std::move(text), {}, false});
}

void LineTrace::RecordBytes(TraceDirection direction, std::string_view bytes) {
    Queue({shared_->options.clock() - start_, direction, {}, std::string(bytes), true});
}

std::size_t LineTrace::BytesWritten() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->bytesWritten;
}

void LineTrace::Queue(TraceEvent event) {
    Shared &s = *shared_;
    {
        std::lock_guard lock(s.mutex);
        if (s.broken) {
            ++s.unwritten;
            return;
        }
        // After a drop, the note takes a place of its own ahead of the next event.
        const std::size_t places = s.dropped ? 2 : 1;
        if (s.queue.size() + places > s.options.capacity ||
            s.queuedBytes + event.bytes.size() > MaxQueuedBytes) {
            if (s.dropped++ == 0)
                s.firstDropped = event.time;
            return;
        }
        s.QueueDropNote();
        s.queuedBytes += event.bytes.size();
        s.queue.push_back(std::move(event));
    }
    s.queued.notify_one();
}

void LineTrace::WriterLoop(const std::shared_ptr<Shared> &shared) {
    Shared &s = *shared;
    std::unique_lock lock(s.mutex);
    for (;;) {
        s.queued.wait(lock, [&] { return s.stopping || !s.queue.empty(); });
        if (s.queue.empty())
            break;
        std::deque<TraceEvent> batch;
        batch.swap(s.queue);
        s.queuedBytes = 0;
        s.inFlight = batch.size();
        lock.unlock();
        std::string text;
        std::vector<std::size_t> lineEnds;
        for (const auto &event : batch) {
            text += FormatTraceLine(event) + '\n';
            lineEnds.push_back(text.size());
        }
        std::size_t written = 0, whole = 0;
        long result = 0;
        while (written < text.size()) {
            result = s.sink(std::string_view(text).substr(written));
            if (result <= 0)
                break;
            written += static_cast<std::size_t>(result);
            std::size_t done = whole;
            while (done < lineEnds.size() && lineEnds[done] <= written)
                ++done;
            std::lock_guard progress(s.mutex);
            s.inFlight -= std::min(s.inFlight, done - whole);
            s.bytesWritten += static_cast<std::size_t>(result);
            whole = done;
            if (s.givenUp)
                break;
        }
        lock.lock();
        if (s.givenUp)
            break;
        if (result < 0 || (result == 0 && written < text.size())) {
            // The destination failed (a reader gone, a full disk): the trace stops there.
            s.broken = true;
            s.unwritten += s.inFlight + s.queue.size();
            s.inFlight = 0;
            s.queue.clear();
            lock.unlock();
            const int error = result < 0 ? static_cast<int>(-result) : EIO;
            s.Tell(Tr(QT_TRANSLATE_NOOP("LineTrace", "la trace ne peut plus être écrite dans %1 "
                                                     "(%2) : elle s'arrête là, le programme "
                                                     "continue."),
                      {s.options.name, std::strerror(error)}),
                   true);
            lock.lock();
            break;
        }
    }
    s.writerEnded = true;
    s.ended.notify_all();
}

} // namespace serial
