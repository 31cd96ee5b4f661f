// The coefficients of a spherical-harmonic magnetic model, read from NOAA's WMM.COF layout.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace geomag {

// The Gauss coefficients g, h (nT) and their yearly changes ġ, ḣ (nT/year) of every degree
// n = 0 … MaxDegree and order m = 0 … n, at Index(n, m); the n = 0 term and every h of
// order 0 are zero.
struct ModelCoefficients {
    std::string name;  // "WMM-2025"
    double epoch = 0;  // decimal year of the main field, 2025.0
    int maxDegree = 0; // 12
    std::vector<double> g, h, gDot, hDot;

    static constexpr int Index(int n, int m) { return n * (n + 1) / 2 + m; }
};

// Reads a WMM.COF text: a header line "EPOCH NAME DATE", then one line "n m g h ġ ḣ" for each
// degree n = 1 … N and order m = 0 … n, in any order but each exactly once, then the closing
// line of nines (or the end of the text). Any other line, a repeated or missing term, an h
// of order 0 or a number that is not one is refused: nullopt, with the reason and the line
// in `error`.
std::optional<ModelCoefficients> ParseCoefficientFile(std::string_view text, std::string &error);

} // namespace geomag
