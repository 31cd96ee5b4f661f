#include "geomag/Warnings.h"

#include "base/Language.h"

#include <cmath>

namespace geomag {

std::vector<std::string> EstimateWarnings(const DeclinationEstimate &estimate) {
    std::vector<std::string> warnings;
    const std::string field = std::to_string(std::lround(estimate.horizontal));
    switch (estimate.zone) {
    case PolarZone::Blackout:
        warnings.push_back(platform::Translated(
            "Warnings",
            QT_TRANSLATE_NOOP("Warnings", "Zone interdite près d'un pôle magnétique (champ "
                                          "horizontal de %1 nT, moins de 2000) : une boussole "
                                          "n'y indique rien de sûr."),
            {field}));
        break;
    case PolarZone::Caution:
        warnings.push_back(platform::Translated(
            "Warnings",
            QT_TRANSLATE_NOOP("Warnings", "Zone de prudence près d'un pôle magnétique (champ "
                                          "horizontal de %1 nT, moins de 6000) : une boussole y "
                                          "est peu sûre."),
            {field}));
        break;
    case PolarZone::None:
        break;
    }
    if (!estimate.withinValidity)
        warnings.push_back(platform::Translated(
            "Warnings", QT_TRANSLATE_NOOP(
                            "Warnings", "Date hors de la période de validité du modèle WMM2025 "
                                        "(2025 à 2029) : la valeur n'est qu'une extrapolation.")));
    return warnings;
}

} // namespace geomag
