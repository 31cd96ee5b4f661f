#include "geomag/EmbeddedModel.h"

#include <stdexcept>

namespace geomag {

const ModelCoefficients &Wmm2025() {
    static const ModelCoefficients model = [] {
        std::string error;
        std::optional<ModelCoefficients> read = ParseCoefficientFile(Wmm2025CofText, error);
        if (!read)
            throw std::logic_error("the built-in WMM2025 coefficients are damaged: " + error);
        return std::move(*read);
    }();
    return model;
}

} // namespace geomag
