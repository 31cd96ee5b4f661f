#include "settings/OwnSettings.h"

#include "platform/InstallDir.h"

namespace settings {

QString OwnSettingsPath() { return platform::InstallDir::File(QStringLiteral("Ventrose.conf")); }

std::unique_ptr<QSettings> OpenOwnSettings() {
    return std::make_unique<QSettings>(OwnSettingsPath(), QSettings::IniFormat);
}

} // namespace settings
