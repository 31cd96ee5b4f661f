// "Relever": the compass heading of a swing point, taken as the circular mean of the live
// readings over a few seconds, refused when the heading wanders or no reading comes.
#pragma once

#include <QString>

#include <chrono>
#include <optional>
#include <vector>

namespace swing {

// The time of the readings: a monotonic clock in milliseconds, the one the heading source
// stamps its readings with.
using Millis = std::chrono::milliseconds;

// How long a take listens, and the widest circular spread (standard deviation) of its
// readings that it accepts.
inline constexpr Millis kTakeDuration{3000};
inline constexpr double kWidestSpread = 2.0;

// The compass heading of the fit, in [0, 360), from the module's raw value (0..254): the
// module's own heading turned by the fixed half turn of the display, before the zero-centring
// and the declination, which the user may change after the swing.
double CompassHeadingOfRaw(int raw);

struct TakeOutcome {
    std::optional<double> heading; // the mean, in [0, 360), when taken
    double spread = 0;             // of the readings taken, degrees
    std::size_t readings = 0;
    QString refusal; // why nothing was taken (no final full stop); empty when taken
};

class HeadingTake {
public:
    // Starts listening at `now`, forgetting any take under way.
    void Start(Millis now);
    bool Running() const { return running_; }
    // When a take started at `now` ends.
    Millis End() const { return start_ + kTakeDuration; }

    // A valid reading, compass heading in degrees, at `at`. Readings before the start are
    // ignored; one at or after the end ends the take (without being counted). Returns the
    // outcome when the take ended.
    std::optional<TakeOutcome> Add(double heading, Millis at);
    // The clock says `now`: the take ends when its time is up, even if no reading came.
    std::optional<TakeOutcome> Tick(Millis now);
    void Cancel() { running_ = false; }

private:
    TakeOutcome Finish();

    bool running_ = false;
    Millis start_{0};
    std::vector<double> headings_;
};

} // namespace swing
