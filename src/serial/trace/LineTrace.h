// The line trace: what went over the serial line, one event a line with its time, written
// to a file by a thread of its own so that a slow disk never holds up the line, and whose
// end never waits long for a destination that stopped taking lines.
#pragma once

#include "base/Language.h"
#include "base/StandardDescriptors.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
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

struct LineTraceOptions {
    using Clock = std::chrono::steady_clock;
    // At most this many events (and 1 MiB of their bytes) wait for the writer; beyond
    // that events are dropped and a line of the trace says how many.
    std::size_t capacity = 4096;
    std::function<Clock::time_point()> clock = Clock::now;
    // The longest the end of the trace waits for the writer to write what is left; the
    // lines it has not written by then are given up.
    std::chrono::milliseconds finalWait{1000};
    // The destination in words, for the notes ("/tmp/trace.txt").
    std::string name =
        platform::Translated("LineTrace", QT_TRANSLATE_NOOP("LineTrace", "le fichier de trace"));
    // What the user is told (a sentence without its line break): once when the first
    // write fails, on the writer thread, and at the end when lines were never written.
    std::function<void(const std::string &note)> tell = platform::NoteOnStandardError;
    // Also told, on the writer thread, when the first write fails.
    std::function<void(const std::string &note)> failed;
};

class LineTrace {
public:
    using Clock = LineTraceOptions::Clock;
    // Writes some of the bytes, waiting for room as long as it takes: how many it wrote
    // (at least one), or minus an errno value when the destination failed, which ends the
    // trace. Called on the writer thread.
    using Sink = std::function<long(std::string_view bytes)>;

    explicit LineTrace(Sink sink, LineTraceOptions options = {});
    // Writes the events still waiting, for at most the final wait; then tells how many
    // lines never reached the destination, if any did not.
    ~LineTrace();
    LineTrace(const LineTrace &) = delete;
    LineTrace &operator=(const LineTrace &) = delete;

    // A trace into the file at `path` (created or emptied), or to standard error for "-";
    // null with the reason in `error` when the file cannot be opened. It is opened without
    // waiting: a named pipe that nobody reads is refused at once.
    static std::shared_ptr<LineTrace> OpenFile(const std::string &path, std::string &error,
                                               LineTraceOptions options = {});

    // Never waits for the writer.
    void Record(TraceDirection direction, std::string text);
    void RecordBytes(TraceDirection direction, std::string_view bytes);
    // How many bytes have reached the destination so far, for diagnostics.
    std::size_t BytesWritten() const;
    // A line of words from any thread, between the line's events.
    void Note(std::string text) { Record(TraceDirection::Note, std::move(text)); }

private:
    struct Shared;
    static void WriterLoop(const std::shared_ptr<Shared> &shared);
    void Queue(TraceEvent event);

    const std::shared_ptr<Shared> shared_;
    const Clock::time_point start_;
    std::thread writer_;
};

} // namespace serial
