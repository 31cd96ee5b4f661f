// The angle arithmetic the program shares: headings reduced to a turn, signed differences,
// tenths of a degree, and the module's raw steps in degrees. Whole degrees are 64-bit
// integers (a heading sum can carry any 32-bit correction); real degrees are doubles. No Qt.
#pragma once

namespace compass {

// Highest raw value the module sends; one step is 359/254 of a degree (in double precision
// here: RawToDegrees works the step out in extended precision).
inline constexpr int kMaxRawReading = 254;
inline constexpr double kDegreesPerStep = 359.0 / 254.0;

// Whole degrees brought into 0..359, negative ones included.
int Reduce360(long long degrees);
// Whole degrees brought into -179..180: an angle as the shorter way round from north.
int Signed180(long long degrees);
// The signed difference to - from of two headings in whole degrees, in -179..180: how far,
// and which way (positive clockwise), the shorter way round from `from` to `to`.
int Difference(long long to, long long from);

// Tenths of a degree brought into 0..3599, and into -1799..1800.
int Reduce3600(long long tenths);
int Signed1800(long long tenths);

// Real degrees brought into [0, 360); a tiny negative angle gives 0, not 360.
double Reduce360Real(double degrees);
// Real degrees brought into (-180, 180].
double Signed180Real(double degrees);
// Real degrees brought into [-180, 180): the offset on an axis that holds its lower end and
// not its upper one, so that a heading opposite the axis's centre sits at the bottom.
double Signed180LowerEnd(double degrees);
// The signed difference to - from of two real headings, in (-180, 180].
double DifferenceReal(double to, double from);

// Degrees as a whole number of tenths, halves away from zero (a value kept to a tenth).
long long TenthsOf(double degrees);
// Degrees rounded to a tenth, halves away from zero, as degrees (a value shown to a tenth).
double RoundedToTenth(double degrees);
// A number of tenths in degrees.
double DegreesOfTenths(long long tenths);

// A raw reading 0..254 in whole degrees, 360 down to 1: 360 - v × 359/254, the product in
// extended precision rounded to a double before the subtraction, then halves rounded up.
int RawToDegrees(int raw);

// The heading ("Votre CAP") for a heading sum: the needle points at the sum reduced to a
// turn, and the heading is the needle's angle counted the other way round.
int NeedleOfSum(long long headingSum);
int HeadingOfNeedle(int needleAngle);

} // namespace compass
