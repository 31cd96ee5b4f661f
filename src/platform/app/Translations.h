// The program's language: the English translation built into the program and Qt's own
// texts (standard buttons, file dialogs) in the same language.
#pragma once

#include "base/Language.h"

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

// The resource that holds the compiled English translation.
inline constexpr const char *kEnglishTranslation = ":/i18n/ventrose_en.qm";

} // namespace platform
