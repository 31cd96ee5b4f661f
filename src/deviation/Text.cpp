#include "deviation/Text.h"

#include <charconv>
#include <cmath>

namespace deviation {

std::string Hundredths(double value, bool signedValue, int width) {
    double rounded = std::round(value * 100) / 100;
    if (rounded == 0)
        rounded = 0; // no minus zero
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, 2).ptr;
    std::string written(text, end);
    const bool negative = written.starts_with('-');
    if (negative)
        written.erase(0, 1);
    if (int(written.size()) < width)
        written.insert(0, std::size_t(width) - written.size(), '0');
    if (negative)
        return "-" + written;
    return signedValue ? "+" + written : written;
}

std::string CoefficientsText(const Coefficients &k) {
    return "A=" + Hundredths(k.a, true) + " B=" + Hundredths(k.b, true) +
           " C=" + Hundredths(k.c, true) + " D=" + Hundredths(k.d, true) +
           " E=" + Hundredths(k.e, true);
}

} // namespace deviation
