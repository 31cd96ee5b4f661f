// The parameter message's bytes, and the fields that are refused before anything is sent.
#include "link/ParameterMessage.h"
#include "platform/app/Errors.h"

#include <gtest/gtest.h>

namespace {

using settings::SettingsStore;

SettingsStore Slots(const char *options, const char *centringSign, const char *centring,
                    const char *declinationSign, const char *declination) {
    SettingsStore settings;
    settings.Set(settings::HardwareOptionsSlot, options);
    settings.Set(settings::CentringSignSlot, centringSign);
    settings.Set(settings::CentringSlot, centring);
    settings.Set(settings::DeclinationSignSlot, declinationSign);
    settings.Set(settings::DeclinationSlot, declination);
    return settings;
}

TEST(ParameterMessage, CopiesTheSlotsBetweenItsMarks) {
    EXPECT_EQ(app::BuildParameterMessage(Slots("33", "-", "4", "+", "2")), "!33A-4B+2C&");
    EXPECT_EQ(app::BuildParameterMessage(Slots("255", "+", "20", "-", "10")), "!255A+20B-10C&");
    // Empty fields are allowed: five empty slots still make a message.
    EXPECT_EQ(app::BuildParameterMessage(Slots("", "", "", "", "")), "!ABC&");
}

TEST(ParameterMessage, RefusesAnyFieldItsSlotMayNotHold) {
    struct Case {
        SettingsStore settings;
        const char *line;
    };
    const Case cases[] = {
        {Slots("3&", "+", "0", "+", "0"), "ligne 18"}, // a second command smuggled in
        {Slots(" 3", "+", "0", "+", "0"), "ligne 18"}, // blanks are no digits
        {Slots("0", "+-", "0", "+", "0"), "ligne 10"}, // sign of two characters
        {Slots("0", "*", "0", "+", "0"), "ligne 10"},  // not a sign
        {Slots("0", "+", "-4", "+", "0"), "ligne 11"}, // the sign belongs to its own slot
        {Slots("0", "+", "4B", "+", "0"), "ligne 11"}, // a separator inside a field
        {Slots("0", "+", "0", "?", "0"), "ligne 8"},   // not a sign
        {Slots("0", "+", "0", "+", "2C&E&"), "ligne 9"},
        {Slots("0", "+", "0", "+", "\xb2"), "ligne 9"}, // an 8-bit digit look-alike
        // Digits, but beyond what the module's field holds.
        {Slots("256", "+", "0", "+", "0"), "ligne 18 du fichier Ventrose.inf (Options matérielles) "
                                           "contient « 256 »"},
        {Slots("0255", "+", "0", "+", "0"), "ligne 18"},
        {Slots("0", "+", "21", "+", "0"), "ligne 11"},
        {Slots("0", "+", "0", "-", "11"), "ligne 9"},
    };
    for (const Case &c : cases) {
        try {
            app::BuildParameterMessage(c.settings);
            ADD_FAILURE() << "accepted a field for " << c.line;
        } catch (const platform::Exception &error) {
            EXPECT_TRUE(error.Message().contains(QString::fromUtf8(c.line))) << error.what();
        }
    }
}

} // namespace
