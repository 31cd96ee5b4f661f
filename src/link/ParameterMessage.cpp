#include "link/ParameterMessage.h"

#include "platform/app/Errors.h"

#include <algorithm>
#include <string>

#include <QCoreApplication>

namespace app {

namespace {

using namespace settings;

// What a field of the message may carry: a sign ("+", "-"), or a number of at most
// maxDigits decimal digits up to maxValue, as the module reads them. Empty is allowed.
struct Field {
    int slot;
    const char *name;
    bool sign;
    std::size_t maxDigits = 0;
    int maxValue = 0;

    bool Holds(const std::string &text) const {
        if (text.empty())
            return true;
        if (sign)
            return text == "+" || text == "-";
        if (text.size() > maxDigits || !std::all_of(text.begin(), text.end(), [](unsigned char c) {
                return c >= '0' && c <= '9';
            }))
            return false;
        return std::stoi(text) <= maxValue;
    }
};

const Field fields[] = {
    {HardwareOptionsSlot, QT_TRANSLATE_NOOP("ParameterMessage", "Options matérielles"), false, 3,
     255},
    {CentringSignSlot, QT_TRANSLATE_NOOP("ParameterMessage", "Signe du centrage du zéro"), true},
    {CentringSlot, QT_TRANSLATE_NOOP("ParameterMessage", "Centrage du zéro"), false, 2, 20},
    {DeclinationSignSlot,
     QT_TRANSLATE_NOOP("ParameterMessage", "Sens de la déclinaison magnétique"), true},
    {DeclinationSlot, QT_TRANSLATE_NOOP("ParameterMessage", "Déclinaison magnétique"), false, 2,
     10},
};

} // namespace

std::string BuildParameterMessage(const SettingsStore &settings) {
    for (const Field &field : fields) {
        const std::string &text = settings.Get(field.slot);
        if (!field.Holds(text))
            throw platform::Exception(
                QCoreApplication::translate(
                    "ParameterMessage", "Les paramètres n'ont pas été envoyés à la boussole.\n"
                                        "La ligne %1 du fichier Ventrose.inf (%2) contient « %3 », "
                                        "qui n'est pas une valeur permise.")
                    .arg(field.slot)
                    .arg(QCoreApplication::translate("ParameterMessage", field.name),
                         settings.Text(field.slot)));
    }
    return "!" + settings.Get(HardwareOptionsSlot) + "A" + settings.Get(CentringSignSlot) +
           settings.Get(CentringSlot) + "B" + settings.Get(DeclinationSignSlot) +
           settings.Get(DeclinationSlot) + "C&";
}

} // namespace app
