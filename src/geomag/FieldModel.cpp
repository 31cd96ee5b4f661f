#include "geomag/FieldModel.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/SphericalHarmonic1.hpp>

#include <cmath>
#include <numbers>
#include <vector>

namespace geomag {
namespace {

constexpr double ReferenceRadius = 6371200.0; // metres, the geomagnetic reference sphere

} // namespace

double FieldComponents::Horizontal() const { return std::hypot(east, north); }

double FieldComponents::Declination() const {
    return std::atan2(east, north) * 180.0 / std::numbers::pi;
}

// GeographicLib's tables, degree by degree within each order: (n, m) at
// m·N − m(m−1)/2 + n for the cosine terms; the sine terms leave out order 0, so the same
// place less N + 1. The harmonic sums keep iterators into these vectors.
struct FieldModel::Tables {
    explicit Tables(const ModelCoefficients &c)
        : cosine(Size(c.maxDegree)), sine(Size(c.maxDegree) - (c.maxDegree + 1)),
          cosineRate(cosine.size()), sineRate(sine.size()) {
        const int N = c.maxDegree;
        for (int m = 0; m <= N; ++m) {
            for (int n = m; n <= N; ++n) {
                const int k = m * N - m * (m - 1) / 2 + n;
                const int from = ModelCoefficients::Index(n, m);
                cosine[k] = c.g[from];
                cosineRate[k] = c.gDot[from];
                if (m > 0) {
                    sine[k - (N + 1)] = c.h[from];
                    sineRate[k - (N + 1)] = c.hDot[from];
                }
            }
        }
        sum = GeographicLib::SphericalHarmonic1(cosine, sine, N, cosineRate, sineRate, N,
                                                ReferenceRadius,
                                                GeographicLib::SphericalHarmonic1::SCHMIDT);
    }
    static std::size_t Size(int N) { return std::size_t(N + 1) * (N + 2) / 2; }

    std::vector<double> cosine, sine, cosineRate, sineRate;
    GeographicLib::SphericalHarmonic1 sum;
};

FieldModel::FieldModel(const ModelCoefficients &coefficients)
    : epoch_(coefficients.epoch), tables_(std::make_unique<Tables>(coefficients)) {}

FieldModel::~FieldModel() = default;

FieldComponents FieldModel::At(const GeodeticPoint &point, double year) const {
    double x, y, z;
    std::vector<double> rotation(9); // 3 x 3, local to geocentric
    GeographicLib::Geocentric::WGS84().Forward(point.latitude, point.longitude, point.height, x, y,
                                               z, rotation);
    // The sum is the potential over the reference radius; the field is minus its gradient.
    double gx, gy, gz;
    tables_->sum(year - epoch_, x, y, z, gx, gy, gz);
    const double bx = -ReferenceRadius * gx, by = -ReferenceRadius * gy, bz = -ReferenceRadius * gz;
    // The rotation's columns are the local east, north and up in geocentric axes.
    const std::vector<double> &M = rotation;
    return {M[0] * bx + M[3] * by + M[6] * bz, M[1] * bx + M[4] * by + M[7] * bz,
            M[2] * bx + M[5] * by + M[8] * bz};
}

} // namespace geomag
