// The WMM2025 coefficients that are built into the program (WMM2025.COF, see README.md).
#pragma once

#include "geomag/CoefficientFile.h"

namespace geomag {

// The text of WMM2025.COF, generated into the build at configure time.
extern const char *const Wmm2025CofText;

// The built-in coefficients, read once. A text that cannot be read is a build fault and
// raises std::logic_error.
const ModelCoefficients &Wmm2025();

} // namespace geomag
