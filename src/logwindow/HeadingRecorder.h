// Records the main window's valid readings into a heading log (CSV), one row each, from
// Start to Stop. The rows are written off the user-interface thread, so a slow or stuck
// destination never holds up the window. A file that cannot be written stops the
// recording and is told once; rows lost because the destination does not keep up are
// told once too; the link is left alone either way.
#pragma once

#include "deviation/Curve.h"
#include "headinglog/LogWriter.h"
#include "link/ReadingFeed.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace app {

class HeadingRecorder : public QObject {
    Q_OBJECT

public:
    using Existing = headinglog::LogWriter::Existing;

    explicit HeadingRecorder(ReadingFeed &feed);
    ~HeadingRecorder() override;

    // Creates the file and records from the next reading on (a recording under way ends
    // first). A regular file already there is replaced only when `existing` says so. False
    // when the file cannot be created: Error() says why, nothing records.
    bool Start(const QString &path, Existing existing = Existing::Refuse);
    void Stop();
    // The deviation card applied to the log, or nothing. A recording started with a card
    // has the deviation's column (empty in the rows taken while none is applied); one
    // started without keeps the columns of a log without it until it stops.
    void SetCard(std::optional<deviation::Coefficients> card) { card_ = card; }
    const std::optional<deviation::Coefficients> &Card() const { return card_; }
    headinglog::LogLayout Layout() const { return writer_.Layout(); }

    // A file never to record into: the log being replayed.
    void Protect(const QString &path);

    bool Recording() const { return key_ >= 0; }
    QString Path() const { return writer_.Path(); }
    long long Rows() const { return writer_.Rows(); }
    long long Lost() const { return writer_.Lost(); }
    QString Error() const;
    // Waits at most `limit` until every row taken so far is written (tests).
    bool Drain(std::chrono::milliseconds limit) { return writer_.Drain(limit); }

    // How a failure is told; on standard error (without waiting on it) and in a warning
    // box unless replaced (tests).
    std::function<void(const QString &message)> report;

    // The message for a file that could not be created or written.
    static QString FailureMessage(const QString &path, const QString &reason, bool started);

signals:
    // Started, stopped, or stopped by a failure.
    void StateChanged();

private:
    void Take(const compass::Reading &reading);
    void Failed();
    void Losing();
    headinglog::LogWriterOptions WriterOptions();

    ReadingFeed &feed_;
    headinglog::LogWriter writer_;
    int key_ = -1;
    std::optional<std::pair<unsigned long long, unsigned long long>> protected_; // device, inode
    QString refusal_; // why Start refused the protected file
    std::optional<deviation::Coefficients> card_;
};

// The row of the log for a reading, with the deviation of `card` when one is applied.
headinglog::LogRow LogRowOf(const compass::Reading &reading,
                            const std::optional<deviation::Coefficients> &card = std::nullopt);

} // namespace app
