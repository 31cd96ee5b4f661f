#include "link/CalibrationPhases.h"

#include "platform/app/Translations.h"

#include <QCoreApplication>

#include <map>

namespace app {

namespace {

QString Tr(const char *text) { return QCoreApplication::translate("CalibrationPhases", text); }

std::array<CalibrationPhase, CalibrationPhaseCount> MadePhases() {
    return {{
        {Tr(QT_TRANSLATE_NOOP("CalibrationPhases", "- Positionnez la boussole vers le SUD :")),
         QStringLiteral("1"), QColor(255, 0, 0),
         Tr(QT_TRANSLATE_NOOP("CalibrationPhases", "Boussole dirigée vers le SUD")),
         QStringLiteral("Esud.bmp")},
        {Tr(QT_TRANSLATE_NOOP("CalibrationPhases", "- Positionnez la boussole vers l'EST :")),
         QStringLiteral("2"), QColor(0, 0, 128),
         Tr(QT_TRANSLATE_NOOP("CalibrationPhases", "Boussole dirigée vers l'EST")),
         QStringLiteral("Eest.bmp")},
        {Tr(QT_TRANSLATE_NOOP("CalibrationPhases", "- Positionnez la boussole vers le NORD :")),
         QStringLiteral("3"), QColor(0, 128, 0),
         Tr(QT_TRANSLATE_NOOP("CalibrationPhases", "Boussole dirigée vers le NORD")),
         QStringLiteral("Enord.bmp")},
        {Tr(QT_TRANSLATE_NOOP("CalibrationPhases", "- Positionnez la boussole vers l'OUEST :")),
         QStringLiteral("4"), QColor(128, 0, 128),
         Tr(QT_TRANSLATE_NOOP("CalibrationPhases", "Boussole dirigée vers l'OUEST")),
         QStringLiteral("Eouest.bmp")},
    }};
}

} // namespace

const std::array<CalibrationPhase, CalibrationPhaseCount> &CalibrationPhases() {
    // Made once for each language, so that a reference to a phase stays valid (a map's
    // entries stay where they are).
    static std::map<std::size_t, std::array<CalibrationPhase, CalibrationPhaseCount>> byLanguage;
    const std::size_t language = platform::SelectedLanguage().Index();
    auto found = byLanguage.find(language);
    if (found == byLanguage.end())
        found = byLanguage.emplace(language, MadePhases()).first;
    return found->second;
}

} // namespace app
