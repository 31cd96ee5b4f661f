// The shipped languages by name, for tests that switch between them.
#pragma once

#include "base/Language.h"

namespace testsupport {

inline platform::Language French() { return *platform::LanguageNamed("fr"); }
inline platform::Language English() { return *platform::LanguageNamed("en"); }

} // namespace testsupport
