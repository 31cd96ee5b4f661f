// Paths given as the system's bytes (a command line's arguments) kept exactly: a name
// whose bytes are not text in the locale's encoding would otherwise become U+FFFD, and
// its files would land under another name.
#pragma once

#include <QString>

#include <optional>
#include <string>

namespace platform {

// A QString that QFile::encodeName turns back into a path of the same file: the bytes as
// text when they read back unchanged in the locale's encoding. Otherwise the deepest
// folder of the path that exists and after which the rest is text is opened (the
// descriptor stays open for the run) and the path goes through it: "/proc/self/fd/N/rest".
// Nothing when no such folder exists (a name that cannot be text and does not exist yet).
std::optional<QString> PathFromBytes(const std::string &bytes);

} // namespace platform
