#include "compass/Angles.h"

#include <cmath>

namespace compass {

namespace {

// 359/254 in extended precision, the size of one step of the module in degrees.
constexpr long double kDegreesPerStepExtended = 359.0L / 254.0L;

long long Reduce(long long angle, long long turn) {
    const long long reduced = angle % turn;
    return reduced < 0 ? reduced + turn : reduced;
}

} // namespace

int Reduce360(long long degrees) { return static_cast<int>(Reduce(degrees, 360)); }

int Signed180(long long degrees) {
    const int reduced = Reduce360(degrees);
    return reduced > 180 ? reduced - 360 : reduced;
}

// Each heading is reduced first, so that no subtraction of two extreme values overflows.
int Difference(long long to, long long from) {
    return Signed180(static_cast<long long>(Reduce360(to)) - Reduce360(from));
}

int Reduce3600(long long tenths) { return static_cast<int>(Reduce(tenths, 3600)); }

int Signed1800(long long tenths) {
    const int reduced = Reduce3600(tenths);
    return reduced > 1800 ? reduced - 3600 : reduced;
}

double Reduce360Real(double degrees) {
    double reduced = std::fmod(degrees, 360.0);
    if (reduced < 0)
        reduced += 360.0;
    // fmod of a tiny negative number plus 360 rounds to 360 itself.
    return reduced >= 360.0 ? 0.0 : reduced;
}

double Signed180Real(double degrees) {
    const double reduced = Reduce360Real(degrees);
    return reduced > 180.0 ? reduced - 360.0 : reduced;
}

double Signed180LowerEnd(double degrees) {
    double reduced = std::fmod(degrees + 180.0, 360.0);
    if (reduced < 0)
        reduced += 360.0;
    return reduced - 180.0;
}

double DifferenceReal(double to, double from) { return Signed180Real(to - from); }

long long TenthsOf(double degrees) { return std::llround(degrees * 10); }

double RoundedToTenth(double degrees) { return std::round(degrees * 10) / 10; }

double DegreesOfTenths(long long tenths) { return static_cast<double>(tenths) / 10.0; }

int RawToDegrees(int raw) {
    // The product is rounded to a double before the subtraction, then halves round up.
    const double product = static_cast<double>(raw * kDegreesPerStepExtended);
    return static_cast<int>(std::floor(360.0 - product + 0.5));
}

int NeedleOfSum(long long headingSum) { return Reduce360(headingSum); }

int HeadingOfNeedle(int needleAngle) { return Reduce360(360LL - needleAngle); }

} // namespace compass
