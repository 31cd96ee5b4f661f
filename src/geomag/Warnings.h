// What a user must be told about a declination worked out by the model, in the program's
// language.
#pragma once

#include "geomag/Declination.h"

#include <string>
#include <vector>

namespace geomag {

// The warnings that hold for the estimate, the most serious first: a place near a magnetic
// pole (blackout or caution zone), a date outside the model's validity. Empty when the value
// can be trusted within its uncertainty.
std::vector<std::string> EstimateWarnings(const DeclinationEstimate &estimate);

} // namespace geomag
