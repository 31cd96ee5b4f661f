// The mean and the spread of a set of headings, taken on the circle: 359° and 1° average
// to 0°, not 180°.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace headinglog {

struct CircularStats {
    std::size_t count = 0;
    // In [0, 360). None when there is no reading or the readings cancel out (evenly spread
    // round the circle, two opposite headings): no direction stands for them.
    std::optional<double> mean;
    // The circular standard deviation, sqrt(-2 ln R) in degrees, R being the length of the
    // mean unit vector: 0 for identical headings, growing without bound as R falls to 0.
    // None when there is no reading or the readings cancel out.
    std::optional<double> deviation;
};

// From the sums of the cosines and sines of `count` headings.
CircularStats SummarizeCircular(double sumCos, double sumSin, std::size_t count);

// Of headings in degrees (any real value; taken modulo 360).
CircularStats CircularStatistics(std::span<const double> degrees);

} // namespace headinglog
