// The table of languages: which row a locale or a code picks, and a row added after the
// shipped ones.
#include "base/Language.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using platform::Language;

TEST(Language, TheFirstLocaleVariableSetPicksTheRowOfItsLanguagePart) {
    struct Case {
        const char *lcAll, *lcMessages, *lang;
        const char *expected; // the code of the row
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, "fr"},
        {nullptr, nullptr, "en_US.UTF-8", "en"},
        {nullptr, nullptr, "en", "en"},
        {nullptr, nullptr, "en@quot", "en"},
        {nullptr, nullptr, "en.UTF-8", "en"},
        {nullptr, nullptr, "C.UTF-8", "fr"},
        {nullptr, nullptr, "eng", "fr"}, // not a language code of English
        {nullptr, nullptr, "e", "fr"},
        {nullptr, nullptr, "de_DE.UTF-8", "fr"},
        {nullptr, nullptr, "_en", "fr"},
        {"", "", "en_GB.UTF-8", "en"}, // empty counts as unset
        {"fr_FR.UTF-8", nullptr, "en_US.UTF-8", "fr"},
        {nullptr, "en_US.UTF-8", "fr_FR.UTF-8", "en"},
        {"C", "en_US.UTF-8", nullptr, "fr"}, // the first set decides, even for no row
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.lcAll ? c.lcAll : "-") << ' ' << (c.lcMessages ? c.lcMessages : "-")
                     << ' ' << (c.lang ? c.lang : "-"));
        EXPECT_STREQ(
            platform::LanguageCode(platform::LanguageOfLocale(c.lcAll, c.lcMessages, c.lang)),
            c.expected);
    }
}

// Every row is found again by its code and by a locale of each of its prefixes; the source
// language comes first and alone has no catalogue; no two rows share a code or a help file.
TEST(Language, EveryRowRoundTripsThroughItsCodeAndItsLocales) {
    const std::vector<Language> all = platform::Languages();
    ASSERT_GE(all.size(), 2u);
    EXPECT_TRUE(Language().IsSource());
    EXPECT_EQ(all.front(), Language());
    std::set<std::string> codes, helpFiles;
    for (const Language language : all) {
        const platform::LanguageRow &row = language.Row();
        SCOPED_TRACE(row.code);
        EXPECT_EQ(platform::LanguageNamed(platform::LanguageCode(language)), language);
        for (const std::string &prefix : row.localePrefixes)
            EXPECT_EQ(platform::LanguageOfLocale(nullptr, nullptr, (prefix + "_ZZ.UTF-8").c_str()),
                      language);
        EXPECT_EQ(row.catalogue.empty(), language.IsSource());
        EXPECT_TRUE(codes.insert(row.code).second);
        EXPECT_TRUE(helpFiles.insert(row.helpSuffix).second);
        EXPECT_FALSE(row.locale.empty());
    }
    for (const char *unknown : {"", "EN", "e", "eng", "en_US", "fr "})
        EXPECT_FALSE(platform::LanguageNamed(unknown)) << unknown;
}

// A row added after the table's (the tests' pseudo-language) is picked by its code and its
// locales, is named in the list of codes, and leaves the other rows where they were; a code
// already taken adds nothing.
TEST(Language, AnAddedRowIsPickedLikeTheOthers) {
    const platform::LanguageRow &english = platform::LanguageNamed("en")->Row();
    const std::size_t before = platform::Languages().size();
    const Language added = platform::AddLanguage({.code = "zz",
                                                  .localePrefixes = {"zz", "qq"},
                                                  .catalogue = "ventrose_zz",
                                                  .helpSuffix = ".zz",
                                                  .locale = "en_US"});
    EXPECT_EQ(platform::Languages().size(), before + 1);
    EXPECT_EQ(platform::LanguageNamed("zz"), added);
    EXPECT_EQ(platform::LanguageOfLocale(nullptr, nullptr, "qq_QQ.UTF-8"), added);
    EXPECT_EQ(platform::LanguageCodes().back(), "zz");
    EXPECT_EQ(&platform::LanguageNamed("en")->Row(), &english);
    const platform::LanguageRow taken{.code = "en",
                                      .localePrefixes = {"yy"},
                                      .catalogue = "other",
                                      .helpSuffix = ".yy",
                                      .locale = "de_DE"};
    EXPECT_EQ(platform::AddLanguage(taken), *platform::LanguageNamed("en"));
    EXPECT_EQ(english.catalogue, "ventrose_en");
    EXPECT_EQ(platform::LanguageOfLocale(nullptr, nullptr, "yy"), Language());
    EXPECT_EQ(platform::Languages().size(), before + 1);
}

} // namespace
