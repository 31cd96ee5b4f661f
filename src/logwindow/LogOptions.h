// The heading log's command-line options, apart from the parsing of the command line:
//     --log FILE      records every valid reading from the link start on, unattended;
//     --replay FILE   the simulated module plays the log FILE back at its recorded pace.
#pragma once

#include "sim/SimulatedCompass.h"

#include <QString>

#include <functional>

namespace app {

class HeadingLog;

struct ReplayLoad {
    // The readings as the simulated module replays them, read from the file as it asks for
    // them: the raw values, each at its time after the first row's.
    sim::ReplaySource readings;
    QString error; // French, names the file and the line at fault; empty when loaded
};
// Opens the log FILE of --replay and reads its header and first row, so that a file that
// is no log is refused at once, whatever its size. The rest is read as the replay goes:
// a line met later that is no row (a last line cut short, a damaged one) ends the replay
// there, and `stopped` is told why, on the module's thread.
ReplayLoad LoadReplay(const QString &path, std::function<void(const QString &)> stopped = {});

// Starts the recording of --log FILE. The link start comes later: rows begin with the first
// reading taken once the link is up. A file that cannot be created, or one already there,
// is told through the recorder's report and the program goes on without recording
// (nothing already there is replaced); returns false then.
bool StartUnattendedLog(HeadingLog &log, const QString &path);

} // namespace app
