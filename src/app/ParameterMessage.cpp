#include "app/ParameterMessage.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cctype>

namespace app {

namespace {

bool IsDigits(const std::string &text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return c >= '0' && c <= '9'; });
}

bool IsSign(const std::string &text) { return text.empty() || text == "+" || text == "-"; }

using namespace settings;

struct Field {
    int slot;
    const char *name;
    bool (*valid)(const std::string &);
};

const Field fields[] = {
    {HardwareOptionsSlot, "Options matérielles", IsDigits},
    {CentringSignSlot, "Signe du centrage du zéro", IsSign},
    {CentringSlot, "Centrage du zéro", IsDigits},
    {DeclinationSignSlot, "Sens de la déclinaison magnétique", IsSign},
    {DeclinationSlot, "Déclinaison magnétique", IsDigits},
};

} // namespace

std::string BuildParameterMessage(const SettingsStore &settings) {
    for (const Field &field : fields) {
        const std::string &text = settings.Get(field.slot);
        if (!field.valid(text))
            throw platform::Exception(
                QStringLiteral("Les paramètres n'ont pas été envoyés à la boussole.\n"
                               "La ligne %1 du fichier Ventrose.inf (%2) contient « %3 », "
                               "qui n'est pas une valeur permise.")
                    .arg(field.slot)
                    .arg(QString::fromUtf8(field.name), settings.Text(field.slot)));
    }
    return "!" + settings.Get(HardwareOptionsSlot) + "A" + settings.Get(CentringSignSlot) +
           settings.Get(CentringSlot) + "B" + settings.Get(DeclinationSignSlot) +
           settings.Get(DeclinationSlot) + "C&";
}

} // namespace app
