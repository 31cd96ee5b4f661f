// The heading log's command-line options, apart from the parsing of the command line:
//     --log FILE      records every valid reading from the link start on, unattended;
//     --replay FILE   the simulated module plays the log FILE back at its recorded pace.
#pragma once

#include "headinglog/LogRow.h"
#include "sim/SimulatedCompass.h"

#include <QString>

#include <optional>
#include <vector>

namespace app {

class HeadingLog;

// The readings of a log as the simulated module replays them: the raw values, each at its
// time after the first row's.
std::vector<sim::ReplayedReading> ReplayOf(const std::vector<headinglog::LogRow> &rows);

struct ReplayLoad {
    std::vector<sim::ReplayedReading> readings;
    QString error; // French, names the file and the line at fault; empty when loaded
};
// Reads the log FILE of --replay.
ReplayLoad LoadReplay(const QString &path);

// Starts the recording of --log FILE. The link start comes later: rows begin with the first
// reading taken once the link is up. A file that cannot be created is told through the
// recorder's report and the program goes on without recording; returns false then.
bool StartUnattendedLog(HeadingLog &log, const QString &path);

} // namespace app
