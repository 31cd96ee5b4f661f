// The standard descriptors: made safe in a program started with some of them closed, and
// standard error written without ever waiting on it. No Qt.
#pragma once

#include <string>

namespace platform {

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed. Called first thing
// in main: otherwise the next descriptor opened (the display's connection, a file) takes
// the number, and whatever writes to standard error writes into it.
void OpenMissingStandardDescriptors();

// Writes "ventrose : note" and a line break on standard error, but only when that takes
// no wait: standard error may be a pipe that nobody reads any more.
void NoteOnStandardError(const std::string &note);

} // namespace platform
