#include "TextFiles.h"

namespace datagen {

QByteArray installedSettings() {
    // COM1, medium needle, wind rose, hub circle, flat menus, declination range 10
    // with no declination, no centring, every message, display, sound and balloon on, and
    // the module's option byte 0; lines 19 to 30 are reserved and empty.
    const char *const lines[30] = {
        "1", "Moyenne", "ROSEON",   "Moyenne",   "CERCLEON", "NOUVEAU",  "10",    "+",      "0",
        "+", "0",       "ONAVERTI", "ONAVERTI2", "ONCAP",    "ONORIENT", "ONSON", "ONINFO", "0"};
    QByteArray text;
    for (const char *line : lines)
        text += QByteArray(line ? line : "") + "\r\n";
    return text;
}

} // namespace datagen
