// `ventrose --deviation-card FILE`: the deviation card worked out from the points of a compass
// swing in a CSV file, printed without any display.
#pragma once

#include <cstdio>
#include <string>

namespace app {

// The largest points file read: far more points than any swing takes.
inline constexpr std::size_t kLargestPointsFile = 1024 * 1024;

// Reads the swing points in the file at path (a regular file, opened without blocking, at most
// kLargestPointsFile bytes) and prints on `out`:
//   A=+1.00 B=-2.25 C=+0.00 D=+0.50 E=-0.75     the coefficients, degrees, east positive
//   RMS=0.12                                    the root mean square of the residuals
//   000 +0.25 000.25                            then the card: compass, deviation, magnetic,
//   ...                                         every 15°
// whatever the locale. A point more than three times the RMS off the curve is named on `err`.
// Returns 0, or kUsageErrorStatus with the reason on `err` when the file cannot be read or its
// points give no curve.
int PrintDeviationCard(const std::string &path, std::FILE *out, std::FILE *err);

} // namespace app
