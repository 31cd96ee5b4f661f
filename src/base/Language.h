// The languages of the program's texts, as one table, and how the locale or the command line
// picks one. No Qt: the serial side translates its texts through the hook below.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The marker that the translation tools look for; without Qt it stands for the text itself.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace platform {

// One language the program speaks: everything the code switches on it.
struct LanguageRow {
    // Its code: the value of --lang, and the suffix of Qt's own catalogue (qtbase_<code>).
    std::string code;
    // The language parts of a locale name that select it ("en" for "en_US.UTF-8").
    std::vector<std::string> localePrefixes;
    // The compiled translation built into the program (":/i18n/<catalogue>.qm"); empty for
    // the language of the source texts, which needs none.
    std::string catalogue;
    // What follows the help file's name ("aide") for this language's help file.
    std::string helpSuffix;
    // The locale of numbers and dates when the user's locale is of another language
    // ("fr_FR": a decimal comma; "en_US": a point).
    std::string locale;
};

// A language of the table: a row's index. The first row is the language of the source texts,
// and the one a default-made Language stands for.
class Language {
public:
    Language() = default;
    const LanguageRow &Row() const;
    std::size_t Index() const { return index_; }
    // Whether it is the language of the source texts (no translation at all).
    bool IsSource() const { return index_ == 0; }
    friend bool operator==(Language, Language) = default;

private:
    friend struct LanguageTableAccess;
    explicit Language(std::size_t index) : index_(index) {}
    std::size_t index_ = 0;
};

// Every language of the table, in its order (the source language first).
std::vector<Language> Languages();
// Adds a language after those of the table and returns it. For a program built with one more
// catalogue than the shipped program (the tests' pseudo-language): call it before the
// language is chosen, from one thread. A row whose code is taken is not added; the language
// of that code is returned.
Language AddLanguage(LanguageRow row);

// The language the locale variables ask for: the first of LC_ALL, LC_MESSAGES and LANG that
// is set and not empty decides (a null pointer is an unset variable). The language whose
// locale prefixes hold its language part (what comes before "_", "." or "@": "en" for
// "en_US.UTF-8", "en@quot"), the source language for any other locale, "C" included.
Language LanguageOfLocale(const char *lcAll, const char *lcMessages, const char *lang);
// The same, read from this process's environment.
Language LanguageOfEnvironment();

// The language of a code given on the command line ("fr", "en"...); nothing for anything else.
std::optional<Language> LanguageNamed(std::string_view code);
// Its code: "fr", "en"...
const char *LanguageCode(Language language);
// The codes of every language, in the table's order.
std::vector<std::string> LanguageCodes();

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
