// The deviation's numbers as the card and the command line write them: degrees to the
// hundredth whatever the locale, and the line of the five coefficients.
#pragma once

#include "deviation/Curve.h"

#include <string>

namespace deviation {

// Rounded to the hundredth, two decimals, "-0.00" written "0.00"; signed: "+" before a
// value that is not negative; width: the integer part padded with zeros to that many
// characters with its decimals ("005.25" for 6).
std::string Hundredths(double value, bool signedValue, int width = 0);

// "A=+1.00 B=-2.25 C=+0.00 D=+0.50 E=-0.75".
std::string CoefficientsText(const Coefficients &coefficients);

} // namespace deviation
