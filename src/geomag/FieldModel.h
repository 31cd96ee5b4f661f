// The main geomagnetic field of a spherical-harmonic model at a place and a date.
#pragma once

#include "geomag/CoefficientFile.h"

#include <memory>

namespace geomag {

// A point as WMM takes it: geodetic latitude and longitude in degrees (WGS84), height in
// metres above the WGS84 ellipsoid.
struct GeodeticPoint {
    double latitude = 0;
    double longitude = 0;
    double height = 0;

    bool operator==(const GeodeticPoint &) const = default;
};

// The field's local components in nT: east, north and up (the model's X, Y, Z are north,
// east and down), and what compasses care about.
struct FieldComponents {
    double east = 0, north = 0, up = 0;

    double Horizontal() const;
    // The angle from true north to the horizontal field, in degrees, east positive.
    double Declination() const;
};

// Evaluates the model's coefficients, main field plus yearly change, with GeographicLib.
// The coefficients are copied in; the object is neither copied nor moved, because the
// evaluator keeps pointers into its own tables.
class FieldModel {
public:
    explicit FieldModel(const ModelCoefficients &coefficients);
    ~FieldModel();
    FieldModel(const FieldModel &) = delete;
    FieldModel &operator=(const FieldModel &) = delete;

    double Epoch() const { return epoch_; }
    // The field at `point` on the decimal year `year` (2026.5 is the middle of 2026).
    FieldComponents At(const GeodeticPoint &point, double year) const;

private:
    struct Tables;
    double epoch_;
    std::unique_ptr<Tables> tables_;
};

} // namespace geomag
