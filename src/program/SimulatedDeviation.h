// `--simulate-deviation A,B,C,D,E`: the simulated module reads as a compass mounted in a craft
// with that deviation curve would, so that a swing has a known answer to find.
#pragma once

#include "deviation/Curve.h"
#include "sim/SimulatedCompass.h"

#include <optional>
#include <string>

namespace app {

// Reads the five coefficients, degrees, separated by commas ("1,-2.25,0,0.5,-0.75"). Returns
// why they are refused (in the program's language, without a final full stop), empty when
// they are taken: five finite numbers whose curve turns with the craft.
std::string ReadSimulatedDeviation(const std::string &text,
                                   std::optional<deviation::Coefficients> &coefficients);

// The course of the module once it reads with that deviation: the course's raw value stands
// for the craft's magnetic heading (raw × 359/254 degrees, plus the display's half turn, as
// the swing reads it), and the module sends the raw value of the compass heading c that the
// curve gives there, c + δ(c) = magnetic.
sim::Course DeviatedCourse(sim::Course course, const deviation::Coefficients &coefficients);

} // namespace app
