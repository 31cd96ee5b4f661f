#include "serial/trace/LineTrace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace serial {

namespace {

constexpr std::size_t MaxQueuedBytes = 1 << 20;

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

LineTrace::LineTrace(Sink sink, std::size_t capacity, std::function<Clock::time_point()> clock)
    : sink_(std::move(sink)), capacity_(capacity < 2 ? 2 : capacity), clock_(std::move(clock)),
      start_(clock_()), writer_([this] { WriterLoop(); }) {}

LineTrace::~LineTrace() {
    {
        std::lock_guard lock(mutex_);
        QueueDropNote();
        stopping_ = true;
    }
    queued_.notify_all();
    writer_.join();
}

std::shared_ptr<LineTrace> LineTrace::OpenFile(const std::string &path, std::string &error) {
    std::shared_ptr<std::FILE> file;
    if (path == "-") {
        file.reset(stderr, [](std::FILE *) {});
    } else {
        std::FILE *opened = std::fopen(path.c_str(), "w");
        if (!opened) {
            error = std::strerror(errno);
            return nullptr;
        }
        file.reset(opened, std::fclose);
    }
    // Flushed after each batch, so a program that dies leaves all but its last moments.
    return std::make_shared<LineTrace>([file](const std::string &lines) {
        std::fwrite(lines.data(), 1, lines.size(), file.get());
        std::fflush(file.get());
    });
}

void LineTrace::Record(TraceDirection direction, std::string text) {
    Queue({clock_() - start_, direction, std::move(text), {}, false});
}

void LineTrace::RecordBytes(TraceDirection direction, std::string_view bytes) {
    Queue({clock_() - start_, direction, {}, std::string(bytes), true});
}

void LineTrace::Queue(TraceEvent event) {
    {
        std::lock_guard lock(mutex_);
        // After a drop, the note takes a place of its own ahead of the next event.
        const std::size_t places = dropped_ ? 2 : 1;
        if (queue_.size() + places > capacity_ ||
            queuedBytes_ + event.bytes.size() > MaxQueuedBytes) {
            if (dropped_++ == 0)
                firstDropped_ = event.time;
            return;
        }
        QueueDropNote();
        queuedBytes_ += event.bytes.size();
        queue_.push_back(std::move(event));
    }
    queued_.notify_one();
}

void LineTrace::QueueDropNote() {
    if (!dropped_)
        return;
    queue_.push_back(
        {firstDropped_,
         TraceDirection::Port,
         std::to_string(dropped_) + " trace lines dropped: the trace file could not keep up",
         {},
         false});
    dropped_ = 0;
}

void LineTrace::WriterLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;
        std::deque<TraceEvent> batch;
        batch.swap(queue_);
        queuedBytes_ = 0;
        lock.unlock();
        std::string lines;
        for (const auto &event : batch)
            lines += FormatTraceLine(event) + '\n';
        sink_(lines);
        lock.lock();
    }
}

} // namespace serial
