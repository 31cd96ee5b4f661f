// The program's own settings, beside the thirty slots of Ventrose.inf: what the additions
// to the module's front end remember (heading output, the last place of the declination
// calculator, the heading log). They live in Ventrose.conf, an INI file of the installation
// folder, so that Ventrose.inf keeps exactly its thirty lines.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace settings {

// The path of Ventrose.conf in the installation folder.
QString OwnSettingsPath();

// A QSettings on Ventrose.conf (INI format). Qt writes the file through a temporary file
// renamed over it, so a failed write leaves the previous file whole; status() after
// sync() says whether the write went through.
std::unique_ptr<QSettings> OpenOwnSettings();

} // namespace settings
