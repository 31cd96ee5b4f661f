// The catalogues of the languages, and the texts of the Qt-free parts in the language chosen.
#include "base/Language.h"
#include "platform/app/Translations.h"

#include "support/Languages.h"

#include <gtest/gtest.h>
#include <QTranslator>

namespace {

using platform::Language;

// Each language's catalogue is built into the program and loads; it translates the texts
// (a catalogue that loads but is empty would leave them French).
TEST(Language, EveryCatalogueOfTheTableLoads) {
    for (const Language language : platform::Languages()) {
        SCOPED_TRACE(platform::LanguageCode(language));
        const QString path = platform::CataloguePath(language);
        if (language.IsSource()) {
            EXPECT_TRUE(path.isEmpty());
            continue;
        }
        QTranslator translator;
        ASSERT_TRUE(translator.load(path)) << path.toStdString();
        EXPECT_FALSE(translator.isEmpty());
        EXPECT_FALSE(translator.translate("TForm1", "&Quitter").isEmpty());
    }
}

// Placeholders are put in once, in one pass: a value's own "%2" stays as it is, and a
// placeholder without a value stays too.
TEST(Language, TextsOfTheQtFreePartsFollowTheSelectedLanguage) {
    EXPECT_EQ(platform::Substituted("%2 puis %1, %3 %", {"a%2", "b"}), "b puis a%2, %3 %");
    const char *source = "« %1 »";
    platform::SelectLanguage(testsupport::English());
    const std::string english = platform::Translated("EscapedText", source, {"x"});
    platform::SelectLanguage(testsupport::French());
    EXPECT_EQ(english, "“x”");
    EXPECT_EQ(platform::Translated("EscapedText", source, {"x"}), "« x »");
    EXPECT_EQ(platform::Translated("NoSuchContext", "texte", {}), "texte");
}

} // namespace
