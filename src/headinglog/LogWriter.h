// Writes the heading log: a CSV file with its header row, one row per reading. Rows are
// written by a thread of its own, so that a slow disk or a pipe whose reader stopped never
// holds up the window: Append only queues the row. The queue is bounded; a row that finds
// it full is lost and counted. The first failed write (disk full, pipe closed) ends the
// writing; a row the failure cut in two is taken back out of a regular file, so that what
// is in the file stays whole rows.
#pragma once

#include "headinglog/LogRow.h"

#include <QString>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>

namespace headinglog {

struct LogWriterOptions {
    std::size_t capacity = 4096; // rows waiting for the writer, at most
    // The longest Close waits for the rows still queued; those not written by then are
    // given up (a pipe nobody reads).
    std::chrono::milliseconds finalWait{1000};
    // Called on the writer's thread at its first failed write, and when a row is first
    // lost to a full queue; never after Close.
    std::function<void()> failed, losing;
};

class LogWriter {
public:
    // What Open does with a regular file that is already there.
    enum class Existing {
        Refuse, // keeps it untouched and fails
        Replace // empties it (the user agreed)
    };

    explicit LogWriter(LogWriterOptions options = {});
    ~LogWriter();
    LogWriter(const LogWriter &) = delete;
    LogWriter &operator=(const LogWriter &) = delete;

    // Opens the file without waiting (a named pipe without a reader is refused at once)
    // and queues the header; false with the reason in Error() when that fails. A named
    // pipe or a character device is written as it is, never emptied. `layout`: the file's
    // columns, for its header and every row until Close.
    bool Open(const QString &path, Existing existing = Existing::Refuse,
              LogLayout layout = LogLayout::Plain);
    LogLayout Layout() const { return layout_; }
    // Queues the row; false when the log is not open or its writing failed (Error()).
    bool Append(const LogRow &row);
    // Waits at most `limit` for the writer to have written every queued row (or failed);
    // false if it had not by then.
    bool Drain(std::chrono::milliseconds limit);
    // Waits at most the final wait for the queued rows, then closes.
    void Close();

    bool IsOpen() const;
    QString Path() const { return path_; }
    long long Rows() const;    // rows taken by Append, lost ones excepted
    long long Written() const; // rows the system has taken
    long long Lost() const;    // rows that found the queue full or were given up at Close
    // The reason of the failure, in words (empty when none).
    QString Error() const;

private:
    struct Shared;
    static void Loop(const std::shared_ptr<Shared> &shared);

    LogWriterOptions options_;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    QString path_;
    LogLayout layout_ = LogLayout::Plain;
    QString openError_;
    long long lostAtClose_ = 0;
};

// The words for a failed write: "le disque est plein" for a full disk or quota.
QString WriteErrorText(int error);

} // namespace headinglog
