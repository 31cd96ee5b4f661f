// The text files of the installation folder.
#pragma once

#include <QByteArray>

#include <string_view>

namespace datagen {

// Ventrose.inf as installed: the thirty settings lines, each ending in CR LF.
QByteArray installedSettings();

// The help file of the language of this code, shipped as `aide` followed by the language's
// help file suffix: one HTML page (UTF-8) with one topic per help identifier ("som", "rub2",
// "rub4" ... "rub10"), each reachable by id and by a named anchor, the same in every
// language. Empty for a language whose topics the generator lacks.
QByteArray helpFile(std::string_view language);

// The French help file `aide`, and the English one `aide.en`: the same topics in English.
QByteArray frenchHelpFile();
QByteArray englishHelpFile();

} // namespace datagen
