// The deviation curve of a compass: the five classic coefficients of compass adjustment and the
// card they give. Degrees throughout, east positive: magnetic heading = compass heading +
// deviation. No Qt.
#pragma once

#include <vector>

namespace deviation {

// δ(θ) = A + B·sin θ + C·cos θ + D·sin 2θ + E·cos 2θ, θ the compass heading.
struct Coefficients {
    double a = 0, b = 0, c = 0, d = 0, e = 0;

    bool operator==(const Coefficients &) const = default;
};

// The deviation at the compass heading (degrees).
double DeviationAt(const Coefficients &coefficients, double compassHeading);

// Whether a compass with this curve still turns one way as the craft does: its heading then
// follows the magnetic heading one to one (the slope of the curve stays under one degree per
// degree, with margin).
bool TurnsWithTheCraft(const Coefficients &coefficients);

// The heading that a compass with this curve shows when the craft's magnetic heading is
// `magnetic`: the compass heading c, in [0, 360), where c + δ(c) = magnetic. The curve must
// turn with the craft.
double CompassHeadingFor(const Coefficients &coefficients, double magnetic);

// The compass heading the curve is a function of, in [0, 360), from the module's raw value
// (0..254): the module's own heading turned by the fixed half turn of the display, before the
// zero-centring and the declination, which the user may change after the swing.
double CompassHeadingOfRaw(int raw);

// The deviation at the compass heading of a raw value, in tenths of a degree, east positive,
// rounded to the nearest tenth (halves away from zero).
int DeviationTenthsOfRaw(const Coefficients &coefficients, int raw);

// One line of the card.
struct CardRow {
    double compass;   // 0, 15, ... 345
    double deviation; // at that compass heading
    double magnetic;  // compass + deviation, in [0, 360)
};

// The card: one row every 15° of compass heading, from 0 to 345.
std::vector<CardRow> Card(const Coefficients &coefficients);

} // namespace deviation
