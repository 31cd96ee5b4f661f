#include "headinglog/CircularStats.h"

#include "compass/Angles.h"

#include <cmath>
#include <numbers>

namespace headinglog {

namespace {
constexpr double kDegree = std::numbers::pi / 180.0;
// Below this mean resultant length the readings are taken to cancel out: rounding leaves
// about 1e-16 of a set that cancels exactly, and a real set this even has no direction.
constexpr double kCancelled = 1e-9;
} // namespace

CircularStats SummarizeCircular(double sumCos, double sumSin, std::size_t count) {
    CircularStats stats;
    stats.count = count;
    if (count == 0)
        return stats;
    const double n = static_cast<double>(count);
    const double length = std::hypot(sumCos, sumSin) / n;
    if (length < kCancelled)
        return stats;
    stats.mean = compass::Reduce360Real(std::atan2(sumSin, sumCos) / kDegree);
    // Rounding can put the length a hair above 1 for identical headings.
    stats.deviation = length >= 1.0 ? 0.0 : std::sqrt(-2.0 * std::log(length)) / kDegree;
    return stats;
}

CircularStats CircularStatistics(std::span<const double> degrees) {
    double sumCos = 0, sumSin = 0;
    for (double angle : degrees) {
        sumCos += std::cos(angle * kDegree);
        sumSin += std::sin(angle * kDegree);
    }
    return SummarizeCircular(sumCos, sumSin, degrees.size());
}

} // namespace headinglog
