// The deviation curve worked out from a compass swing: points where the compass heading was read
// against a known magnetic heading, fitted by least squares. No Qt.
#pragma once

#include "deviation/Curve.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace deviation {

// One reading of the swing, degrees.
struct SwingPoint {
    double compass;  // what the compass read
    double magnetic; // the known magnetic heading at that moment
};

// A point as the fit sees it.
struct FittedPoint {
    SwingPoint point;
    double deviation; // observed: magnetic - compass, in (-180, 180]
    double residual;  // observed deviation - the curve's
    bool outlier;     // the residual is more than three times the RMS of them all
};

struct Fit {
    Coefficients coefficients;
    std::vector<FittedPoint> points; // in the order given
    double rms;                      // root mean square of the residuals
};

struct FitOutcome {
    std::optional<Fit> fit; // nothing when the points cannot give the five coefficients
    std::string refusal;    // then why (the program's language, no final full stop)
};

// The fewest points, and the widest arc of compass headings without one, that the fit takes.
inline constexpr std::size_t kFewestPoints = 5;
inline constexpr double kWidestGap = 90;

// Fits A..E by least squares. Refuses fewer than five points, points at fewer than five
// different compass headings, and a set that leaves an arc of more than 90° of compass
// headings without a point (the curve would be guessed there), saying which arc.
FitOutcome FitSwing(std::span<const SwingPoint> points);

} // namespace deviation
