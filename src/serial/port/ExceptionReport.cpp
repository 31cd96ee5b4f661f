#include "serial/port/ExceptionReport.h"

#include "base/StandardDescriptors.h"

#include <mutex>
#include <stdexcept>

namespace serial {

namespace {
std::mutex reporterMutex;
ExceptionReporter &Reporter() {
    static ExceptionReporter reporter;
    return reporter;
}
} // namespace

void SetExceptionReporter(ExceptionReporter reporter) {
    std::lock_guard lock(reporterMutex);
    Reporter() = std::move(reporter);
}

void ReportException(const std::exception &error) {
    ExceptionReporter reporter;
    {
        std::lock_guard lock(reporterMutex);
        reporter = Reporter();
    }
    if (reporter)
        reporter(error);
    else
        // Never waiting on a standard error that nobody reads: this runs on the main thread.
        platform::NoteOnStandardError(error.what());
}

void ReportCurrentException() {
    try {
        throw;
    } catch (const std::exception &error) {
        ReportException(error);
    } catch (...) {
        ReportException(std::runtime_error("Unknown exception"));
    }
}

} // namespace serial
