// A latitude or a longitude as users write them: decimal degrees ("48.8566", "-2,35") or
// degrees, minutes and seconds with the hemisphere ("48 51.4 N", "48°51'24\" N", "O 2°21'").
#pragma once

#include <string>
#include <string_view>

namespace geomag {

enum class Axis { Latitude, Longitude };

enum class CoordinateError {
    None,
    Empty,
    NotAnAngle,         // not a form of the above
    SignAndHemisphere,  // "-48 N": which one is meant?
    MinutesOrSeconds60, // minutes or seconds from 60 up
    OutOfRange,         // beyond 90° of latitude or 180° of longitude
};

struct CoordinateReading {
    double degrees = 0; // north and east positive
    CoordinateError error = CoordinateError::None;

    bool ok() const { return error == CoordinateError::None; }
};

// Reads a coordinate of the given axis (UTF-8). The decimal separator is the point or the
// comma, with digits on at least one side ("48.", ".5"); degrees, minutes and seconds are
// separated by blanks (no-break and thin spaces too), colons or their symbols
// (° ' "; also º ′ ″ ’), and only the last one may have decimals. The hemisphere is a letter
// before or after the angle, in either case: N or S for a latitude, E, W or O (ouest) for a
// longitude; south and west are negative, and so is a leading minus without a letter.
CoordinateReading ReadCoordinate(std::string_view text, Axis axis);

// What is wrong, for the user, in the program's language ("la latitude va de 90° S à 90° N").
std::string CoordinateErrorText(CoordinateError error, Axis axis);

} // namespace geomag
