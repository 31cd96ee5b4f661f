// The two languages of the program's texts and how the locale or the command line picks one.
// No Qt: the serial side translates its texts through the hook below.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The marker that the translation tools look for; without Qt it stands for the text itself.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace platform {

// French is the language of the source texts; English comes from the translation file.
enum class Language { French, English };

// The language the locale variables ask for: the first of LC_ALL, LC_MESSAGES and LANG that
// is set and not empty decides (a null pointer is an unset variable). English when it names
// English ("en", "en_US.UTF-8", "en@quot"...), French for every other locale, "C" included.
Language LanguageOfLocale(const char *lcAll, const char *lcMessages, const char *lang);
// The same, read from this process's environment.
Language LanguageOfEnvironment();

// The language of a code given on the command line: "fr" or "en"; nothing for anything else.
std::optional<Language> LanguageNamed(std::string_view code);
// "fr" or "en".
const char *LanguageCode(Language language);

// Texts of the parts without Qt: the French text (marked with QT_TRANSLATE_NOOP and its
// context) in the program's language. The Qt side installs the translator; until then, and
// in the Qt-free tests, the text stays French. args, when given, replace its %1, %2...
using TextTranslator = std::string (*)(const char *context, const char *text);
void SetTextTranslator(TextTranslator translator);
std::string Translated(const char *context, const char *text,
                       const std::vector<std::string> &args = {});

// text with each %1 ... %9 replaced by the argument of that number (as QString::arg does
// for a whole text at once: a replacement's own "%2" is never replaced again).
std::string Substituted(std::string_view text, const std::vector<std::string> &args);

} // namespace platform
