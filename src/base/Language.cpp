#include "base/Language.h"

#include <atomic>
#include <cstdlib>

namespace platform {

namespace {
std::atomic<TextTranslator> installedTranslator{nullptr};

bool NamesEnglish(std::string_view locale) {
    // The language part ends at the territory, the encoding or the modifier.
    return locale.starts_with("en") &&
           (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
}
} // namespace

Language LanguageOfLocale(const char *lcAll, const char *lcMessages, const char *lang) {
    for (const char *value : {lcAll, lcMessages, lang})
        if (value != nullptr && *value != '\0')
            return NamesEnglish(value) ? Language::English : Language::French;
    return Language::French;
}

Language LanguageOfEnvironment() {
    return LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::optional<Language> LanguageNamed(std::string_view code) {
    if (code == "fr")
        return Language::French;
    if (code == "en")
        return Language::English;
    return std::nullopt;
}

const char *LanguageCode(Language language) { return language == Language::English ? "en" : "fr"; }

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
