#include "base/Language.h"

#include <atomic>
#include <cstdlib>
#include <deque>
#include <utility>

namespace platform {

struct LanguageTableAccess {
    static Language At(std::size_t index) { return Language(index); }
};

namespace {

std::atomic<TextTranslator> installedTranslator{nullptr};

// The languages the program speaks. French, the language of the source texts, comes first:
// it needs no catalogue, and a locale of no language of the table gets it. A deque, so that
// a row added later leaves the references to the others valid.
std::deque<LanguageRow> &Table() {
    static std::deque<LanguageRow> table{
        {.code = "fr",
         .localePrefixes = {"fr"},
         .catalogue = "",
         .helpSuffix = "",
         .locale = "fr_FR"},
        {.code = "en",
         .localePrefixes = {"en"},
         .catalogue = "ventrose_en",
         .helpSuffix = ".en",
         .locale = "en_US"},
    };
    return table;
}

// The language part of a locale name: what comes before its territory, encoding or modifier.
std::string_view LanguagePart(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

} // namespace

const LanguageRow &Language::Row() const { return Table().at(index_); }

std::vector<Language> Languages() {
    std::vector<Language> all;
    for (std::size_t i = 0; i < Table().size(); ++i)
        all.push_back(LanguageTableAccess::At(i));
    return all;
}

Language AddLanguage(LanguageRow row) {
    if (const std::optional<Language> known = LanguageNamed(row.code))
        return *known;
    Table().push_back(std::move(row));
    return LanguageTableAccess::At(Table().size() - 1);
}

Language LanguageOfLocale(const char *lcAll, const char *lcMessages, const char *lang) {
    for (const char *value : {lcAll, lcMessages, lang}) {
        if (value == nullptr || *value == '\0')
            continue;
        const std::string_view part = LanguagePart(value);
        for (const Language language : Languages())
            for (const std::string &prefix : language.Row().localePrefixes)
                if (part == prefix)
                    return language;
        return Language();
    }
    return Language();
}

Language LanguageOfEnvironment() {
    return LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::optional<Language> LanguageNamed(std::string_view code) {
    for (const Language language : Languages())
        if (language.Row().code == code)
            return language;
    return std::nullopt;
}

const char *LanguageCode(Language language) { return language.Row().code.c_str(); }

std::vector<std::string> LanguageCodes() {
    std::vector<std::string> codes;
    for (const Language language : Languages())
        codes.push_back(language.Row().code);
    return codes;
}

void SetTextTranslator(TextTranslator translator) { installedTranslator = translator; }

std::string Translated(const char *context, const char *text,
                       const std::vector<std::string> &args) {
    const TextTranslator translator = installedTranslator;
    const std::string translated = translator != nullptr ? translator(context, text) : text;
    return args.empty() ? translated : Substituted(translated, args);
}

std::string Substituted(std::string_view text, const std::vector<std::string> &values) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t number = next >= '1' && next <= '9' ? std::size_t(next - '0') : 0;
        if (text[i] == '%' && number != 0 && number <= values.size()) {
            out += values[number - 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace platform
