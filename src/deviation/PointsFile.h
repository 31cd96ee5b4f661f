// The swing points as a CSV text: a header line "compass,magnetic", then one point a line,
// the compass heading and the magnetic heading in degrees (a full stop before the decimals).
// No Qt.
#pragma once

#include "deviation/Fit.h"

#include <string>
#include <string_view>
#include <vector>

namespace deviation {

struct PointsReading {
    std::vector<SwingPoint> points;
    std::string error; // empty when the whole text was read; else why, naming the line
};

// Reads the points of the text. Line ends may be LF or CR LF; blank lines and blanks around a
// value are ignored, as is a byte order mark before the header. A heading must lie between 0
// and 360.
PointsReading ReadSwingPoints(std::string_view text);

} // namespace deviation
