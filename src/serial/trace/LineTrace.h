// The line trace: what went over the serial line, one event a line with its time, written
// to a file by a thread of its own so that a slow disk never holds up the line.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

namespace serial {

// Which way an event went: from the program to the line (bytes written, RTS and DTR), from
// the line to the program (bytes read, CTS, DSR, DCD, RI, line errors), or the port itself
// (open, close, line settings). A note is none of these: what another part of the program
// adds to the trace (the heading output's problems).
enum class TraceDirection { Out, In, Port, Note };

struct TraceEvent {
    std::chrono::nanoseconds time{}; // since the trace started
    TraceDirection direction = TraceDirection::Port;
    std::string text;  // what happened, in words
    std::string bytes; // the bytes that moved, when hasBytes
    bool hasBytes = false;
};

// One line of the trace file, without its line break:
//     "   1702.113 -> \"!0A+0B+0C&\"  21 30 41 2B 30 42 2B 30 43 26"
// the time in milliseconds since the trace started, the direction ("->" to the line, "<-"
// from it, "--" the port, "**" a note), then the words or the bytes, as printable text
// (other bytes as '.') and in hexadecimal.
std::string FormatTraceLine(const TraceEvent &event);

class LineTrace {
public:
    using Clock = std::chrono::steady_clock;
    // Takes formatted lines, each ending with a line break; called on the writer thread.
    using Sink = std::function<void(const std::string &lines)>;

    // At most `capacity` events (and 1 MiB of their bytes) wait for the writer; beyond
    // that events are dropped and a note says how many. The clock is the steady clock
    // unless a test steps one of its own.
    explicit LineTrace(Sink sink, std::size_t capacity = 4096,
                       std::function<Clock::time_point()> clock = Clock::now);
    // Writes every event still waiting, then stops the writer.
    ~LineTrace();
    LineTrace(const LineTrace &) = delete;
    LineTrace &operator=(const LineTrace &) = delete;

    // A trace into the file at `path` (created or emptied), or to standard error for "-";
    // null with the system's reason in `error` when the file cannot be opened.
    static std::shared_ptr<LineTrace> OpenFile(const std::string &path, std::string &error);

    // Never waits for the writer.
    void Record(TraceDirection direction, std::string text);
    void RecordBytes(TraceDirection direction, std::string_view bytes);
    // A line of words from any thread, between the line's events.
    void Note(std::string text) { Record(TraceDirection::Note, std::move(text)); }

private:
    void Queue(TraceEvent event);
    void QueueDropNote();
    void WriterLoop();

    const Sink sink_;
    const std::size_t capacity_;
    const std::function<Clock::time_point()> clock_;
    const Clock::time_point start_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<TraceEvent> queue_;
    std::size_t queuedBytes_ = 0;
    std::size_t dropped_ = 0;
    std::chrono::nanoseconds firstDropped_{};
    bool stopping_ = false;
    std::thread writer_;
};

} // namespace serial
