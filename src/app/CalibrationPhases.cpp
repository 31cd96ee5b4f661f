#include "app/CalibrationPhases.h"

namespace app {

const std::array<CalibrationPhase, CalibrationPhaseCount> &CalibrationPhases() {
    static const std::array<CalibrationPhase, CalibrationPhaseCount> phases = {{
        {QStringLiteral("- Positionnez la boussole vers le SUD :"), QStringLiteral("1"),
         QColor(255, 0, 0), QStringLiteral("Boussole dirigée vers le SUD"),
         QStringLiteral("Esud.bmp")},
        {QStringLiteral("- Positionnez la boussole vers l'EST :"), QStringLiteral("2"),
         QColor(0, 0, 128), QStringLiteral("Boussole dirigée vers l'EST"),
         QStringLiteral("Eest.bmp")},
        {QStringLiteral("- Positionnez la boussole vers le NORD :"), QStringLiteral("3"),
         QColor(0, 128, 0), QStringLiteral("Boussole dirigée vers le NORD"),
         QStringLiteral("Enord.bmp")},
        {QStringLiteral("- Positionnez la boussole vers l'OUEST :"), QStringLiteral("4"),
         QColor(128, 0, 128), QStringLiteral("Boussole dirigée vers l'OUEST"),
         QStringLiteral("Eouest.bmp")},
    }};
    return phases;
}

} // namespace app
