// The language the locale variables choose, and the texts of the Qt-free parts in it.
#include "base/Language.h"
#include "platform/app/Translations.h"

#include <gtest/gtest.h>

namespace {

using platform::Language;

TEST(Language, TheFirstLocaleVariableSetDecidesEnglishOnlyForEnglish) {
    struct Case {
        const char *lcAll, *lcMessages, *lang;
        Language expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, Language::French},
        {nullptr, nullptr, "en_US.UTF-8", Language::English},
        {nullptr, nullptr, "en", Language::English},
        {nullptr, nullptr, "en@quot", Language::English},
        {nullptr, nullptr, "C.UTF-8", Language::French},
        {nullptr, nullptr, "eng", Language::French}, // not a language code of English
        {nullptr, nullptr, "de_DE.UTF-8", Language::French},
        {"", "", "en_GB.UTF-8", Language::English}, // empty counts as unset
        {"fr_FR.UTF-8", nullptr, "en_US.UTF-8", Language::French},
        {nullptr, "en_US.UTF-8", "fr_FR.UTF-8", Language::English},
        {"C", "en_US.UTF-8", nullptr, Language::French},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.lcAll ? c.lcAll : "-") << ' ' << (c.lcMessages ? c.lcMessages : "-")
                     << ' ' << (c.lang ? c.lang : "-"));
        EXPECT_EQ(platform::LanguageOfLocale(c.lcAll, c.lcMessages, c.lang), c.expected);
    }
}

// Placeholders are put in once, in one pass: a value's own "%2" stays as it is, and a
// placeholder without a value stays too.
TEST(Language, TextsOfTheQtFreePartsFollowTheSelectedLanguage) {
    EXPECT_EQ(platform::Substituted("%2 puis %1, %3 %", {"a%2", "b"}), "b puis a%2, %3 %");
    const char *source = "« %1 »";
    platform::SelectLanguage(Language::English);
    const std::string english = platform::Translated("EscapedText", source, {"x"});
    platform::SelectLanguage(Language::French);
    EXPECT_EQ(english, "“x”");
    EXPECT_EQ(platform::Translated("EscapedText", source, {"x"}), "« x »");
    EXPECT_EQ(platform::Translated("NoSuchContext", "texte", {}), "texte");
}

} // namespace
