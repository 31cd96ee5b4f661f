// The application's standard exception report, as the port component reaches it: where
// the component may not let an exception escape (opening after a form load, handlers run
// for the event receiver), it hands the exception here. The program routes it to its
// error box; until then it goes to the standard error stream, when that takes no wait.
#pragma once

#include <exception>
#include <functional>

namespace serial {

using ExceptionReporter = std::function<void(const std::exception &)>;

// Process-wide; an empty reporter restores the default.
void SetExceptionReporter(ExceptionReporter reporter);
void ReportException(const std::exception &error);
// Reports the exception in flight (for catch (...)).
void ReportCurrentException();

} // namespace serial
