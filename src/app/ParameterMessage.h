// The parameter message that carries the option byte, the zero-centring and the
// magnetic declination to the module.
#pragma once

#include "settings/SettingsStore.h"

#include <string>

namespace app {

// Builds "!" option "A" centring-sign centring "B" declination-sign declination "C&"
// from the five slots. Each field is copied as it stands, but only when it is what its
// slot may hold (decimal digits for the three numbers, "+" or "-" for the signs, or
// empty): a hand-edited settings file must never put "&" or any other byte into the
// message and make the module run a second command. Any other field raises
// platform::Exception naming the slot and showing its text; nothing is to be sent then.
std::string BuildParameterMessage(const settings::SettingsStore &settings);

} // namespace app
