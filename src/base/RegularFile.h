// Reading a small file of the program's own that a hostile or careless hand may have
// replaced: by a link to a device, a named pipe, a folder or something huge. No Qt.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

struct RegularFileRead {
    enum class Outcome {
        Read,       // bytes holds the whole file
        Missing,    // no file (nor a link leading to one): as empty
        NotRegular, // a device, a pipe, a socket or a folder: never opened for reading
        TooLarge,   // more than the largest size allowed
        Failed,     // the system refused the open or a read: error says why
    };
    Outcome outcome = Outcome::Missing;
    int error = 0;
    std::string bytes;
};

// Opens the regular file at path (a symbolic link to one is followed) for reading, without
// ever waiting: a pipe or a device is told apart before it is opened (opening a device can
// act on it), and checked again once open, since the file may have been replaced meanwhile.
// The descriptor, or -1 with the outcome (Missing, NotRegular or Failed) and its error.
int OpenRegularFile(const std::string &path, RegularFileRead::Outcome &outcome, int &error);

// Reads the regular file at path (a symbolic link to one is followed) whole, up to
// `largest` bytes, without ever waiting: a pipe or a device is told apart before it is
// opened, and the open itself does not block.
RegularFileRead ReadRegularFile(const std::string &path, std::size_t largest);

} // namespace platform
