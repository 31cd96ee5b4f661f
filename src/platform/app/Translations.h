// The program's language: its catalogue built into the program (none for French, the
// language of the source texts) and Qt's own texts (standard buttons, file dialogs) in the
// same language.
#pragma once

#include "base/Language.h"

#include <QLocale>
#include <QString>

namespace platform {

// Makes language the program's language. Its translators go to the application at once if
// it exists, otherwise as soon as it is made, so the command line's help and errors, read
// before any window, speak it too. Until it is called the texts stay French (the source
// texts) and Qt's own texts are untranslated.
void SelectLanguage(Language language);
Language SelectedLanguage();

// The French text of context in the program's language, before the application exists too.
QString Translate(const char *context, const char *text);

// The resource that holds the language's compiled catalogue; empty for the source language.
QString CataloguePath(Language language);

// The language's own locale of numbers and dates (France's for French, the United States'
// for English), so that an English text never gets a decimal comma nor a French one a point.
QLocale LanguageLocale(Language language);

} // namespace platform
