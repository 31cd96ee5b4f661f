#include "logwindow/LogOptions.h"

#include "headinglog/LogReader.h"
#include "logwindow/HeadingLog.h"

#include <QCoreApplication>

#include <memory>
#include <mutex>
#include <utility>

namespace app {

namespace {
QString StopMessage(const QString &path, const headinglog::LogReadError &error, long long rows) {
    if (error.cut)
        return QCoreApplication::translate("LogLoad",
                                           "La dernière ligne (%2) du journal du cap %1 est "
                                           "coupée : la relecture s'arrête après les %3 mesures "
                                           "entières.")
            .arg(path)
            .arg(error.line)
            .arg(rows);
    return QCoreApplication::translate("LogLoad", "La relecture du journal du cap %1 s'arrête "
                                                  "après %2 mesures :\n%3")
        .arg(path)
        .arg(rows)
        .arg(headinglog::DescribeLogError(path, error));
}
} // namespace

ReplayLoad LoadReplay(const QString &path, std::function<void(const QString &)> stopped) {
    headinglog::LogReadError error;
    std::shared_ptr<headinglog::LogStream> stream = headinglog::LogStream::OpenFile(path, error);
    if (!stream)
        return {{}, headinglog::DescribeLogError(path, error)};
    const std::optional<headinglog::LogRow> first = stream->Next();
    if (!first)
        return {{}, headinglog::DescribeLogError(path, *stream->Error())};
    struct State {
        std::mutex mutex;
        std::optional<headinglog::LogRow> pending; // read at the opening, not yet handed
        bool told = false;
    };
    auto state = std::make_shared<State>();
    state->pending = first;
    const QDateTime start = first->time;
    return {[state, stream, start, path,
             stopped = std::move(stopped)]() -> std::optional<sim::ReplayedReading> {
                std::lock_guard lock(state->mutex);
                std::optional<headinglog::LogRow> row = std::exchange(state->pending, {});
                if (!row)
                    row = stream->Next();
                if (!row) {
                    if (stream->Error() && stopped && !std::exchange(state->told, true))
                        stopped(StopMessage(path, *stream->Error(), stream->Rows()));
                    return std::nullopt;
                }
                return sim::ReplayedReading{std::chrono::milliseconds(start.msecsTo(row->time)),
                                            row->raw};
            },
            {}};
}

bool StartUnattendedLog(HeadingLog &log, const QString &path) {
    HeadingRecorder &recorder = log.Recorder();
    if (recorder.Start(path))
        return true;
    if (recorder.report)
        recorder.report(HeadingRecorder::FailureMessage(path, recorder.Error(), false));
    return false;
}

} // namespace app
