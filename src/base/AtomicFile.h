// Replacing a file's whole contents so that a crash, a kill or a full disk at any moment
// leaves either the old file or the new one, never a mix. No Qt: the serial component's
// INI files use it as well as the settings store.
#pragma once

#include <string>

namespace platform {

// Writes bytes to a temporary file of its own in the same folder, flushes it to disk and
// renames it over path. A symbolic link is written through to its target (which need not
// exist yet), and a replaced file keeps its permissions. Only a regular file is replaced:
// a folder gives EISDIR, a device or a pipe EINVAL. A file that exists but that this user
// may not write is refused (EACCES, or EROFS on a read-only file system) and left as it
// is. Returns 0, or the errno of the step that failed; the old file is then untouched and
// no temporary file is left, except after a failed sync of the folder, which comes last
// (the new contents are in place, but a crash may still bring the old ones back). A save that
// succeeds also removes the temporary files that killed saves left beside it.
int ReplaceFileContents(const std::string &path, const std::string &bytes);

} // namespace platform
