// The parameter message that carries the option byte, the zero-centring and the
// magnetic declination to the module.
#pragma once

#include "settings/SettingsStore.h"

#include <string>

namespace app {

// Builds "!" option "A" centring-sign centring "B" declination-sign declination "C&"
// from the five slots. Each field is copied as it stands, but only when it is what its
// slot may hold: "+" or "-" for the signs, and for the three numbers decimal digits of a
// value the module's field takes (option byte 0 to 255, centring 0 to 20, declination 0
// to 10, in at most 3, 2 and 2 digits), or empty. A hand-edited settings file must never
// put "&" or any other byte into the message and make the module run a second command, nor
// send it a value beyond its field. Any other field raises platform::Exception naming the
// slot and showing its text; nothing is to be sent then.
std::string BuildParameterMessage(const settings::SettingsStore &settings);

} // namespace app
