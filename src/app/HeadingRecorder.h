// Records the main window's valid readings into a heading log (CSV), one row each, from
// Start to Stop. A file that cannot be written stops the recording and is told once, after
// the reading that met the failure has gone round; the link is left alone.
#pragma once

#include "app/ReadingFeed.h"
#include "headinglog/LogWriter.h"

#include <QObject>
#include <QString>

#include <functional>

namespace app {

class HeadingRecorder : public QObject {
    Q_OBJECT

public:
    explicit HeadingRecorder(ReadingFeed &feed);
    ~HeadingRecorder() override;

    // Creates the file and records from the next reading on (a recording under way ends
    // first). False when the file cannot be created: Error() says why, nothing records.
    bool Start(const QString &path);
    void Stop();

    bool Recording() const { return key_ >= 0; }
    QString Path() const { return writer_.Path(); }
    long long Rows() const { return writer_.Rows(); }
    QString Error() const { return writer_.Error(); }

    // How a failure is told; a warning box unless replaced (tests).
    std::function<void(const QString &message)> report;

    // The message for a file that could not be created or written.
    static QString FailureMessage(const QString &path, const QString &reason, bool started);

signals:
    // Started, stopped, or stopped by a failure.
    void StateChanged();

private:
    void Take(const ReadingRecord &reading);

    ReadingFeed &feed_;
    headinglog::LogWriter writer_;
    int key_ = -1;
};

// The row of the log for a reading.
headinglog::LogRow LogRowOf(const ReadingRecord &reading);

} // namespace app
