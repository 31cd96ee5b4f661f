// The illustrations of the dialogs: the four calibration phases (281 x 257: the module held
// towards south, east, north and west) and the two declinations (153 x 161).
#pragma once

#include <QImage>
#include <QString>

namespace datagen {

constexpr int kCalibrationWidth = 281;
constexpr int kCalibrationHeight = 257;
constexpr int kDeclinationWidth = 153;
constexpr int kDeclinationHeight = 161;

// The calibration phases, in the order the program runs them.
enum class Phase { South = 1, East, North, West };

QImage makeCalibrationPicture(Phase phase);

// `west`: magnetic north west of geographic north, otherwise east of it.
QImage makeDeclinationPicture(bool west);

} // namespace datagen
