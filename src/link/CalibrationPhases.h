// The four phases of the module's calibration, in the order they run: the module is turned
// towards south, east, north and west, and told each time that it is in position.
#pragma once

#include <QColor>
#include <QString>

#include <array>

namespace app {

struct CalibrationPhase {
    QString instruction; // the phase's label
    QString digit;       // the caption of the phase's button
    QColor colour;       // of the label and the digit
    QString status;      // status panel 0 while the phase waits for its button
    QString picture;     // how to hold the module, a file of the installation folder
};

constexpr int CalibrationPhaseCount = 4;

const std::array<CalibrationPhase, CalibrationPhaseCount> &CalibrationPhases();

} // namespace app
