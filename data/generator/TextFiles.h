// The text files of the installation folder.
#pragma once

#include <QByteArray>

namespace datagen {

// Ventrose.inf as installed: the thirty settings lines, each ending in CR LF.
QByteArray installedSettings();

// The help file `aide`: one French HTML page (UTF-8) with one topic per help identifier
// ("som", "rub2", "rub4" ... "rub10"), each reachable by id and by a named anchor.
QByteArray helpFile();
// The English help file `aide.en`: the same topics under the same identifiers, in English.
QByteArray englishHelpFile();

} // namespace datagen
