#include "dialogs/DeclinationSetting.h"

#include <cmath>

namespace app {

std::optional<DeclinationSetting> SettingFor(double declination) {
    if (!std::isfinite(declination))
        return std::nullopt;
    const double degrees = std::round(std::fabs(declination));
    if (degrees > MaxModuleDeclination)
        return std::nullopt;
    DeclinationSetting setting;
    setting.west = declination < 0;
    setting.degrees = int(degrees);
    for (const int range : {3, 5, 7, 10}) {
        if (setting.degrees <= range) {
            setting.range = range;
            break;
        }
    }
    return setting;
}

} // namespace app
