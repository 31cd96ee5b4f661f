#include "app/LogOptions.h"

#include "app/HeadingLog.h"
#include "headinglog/LogReader.h"

namespace app {

std::vector<sim::ReplayedReading> ReplayOf(const std::vector<headinglog::LogRow> &rows) {
    std::vector<sim::ReplayedReading> readings;
    readings.reserve(rows.size());
    for (const headinglog::LogRow &row : rows)
        readings.push_back(
            {std::chrono::milliseconds(rows.front().time.msecsTo(row.time)), row.raw});
    return readings;
}

ReplayLoad LoadReplay(const QString &path) {
    const headinglog::LogReadResult result = headinglog::ReadLogFile(path);
    if (result.error)
        return {{}, headinglog::DescribeLogError(path, *result.error)};
    return {ReplayOf(result.rows), {}};
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
