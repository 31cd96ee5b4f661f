// Help requests reach the help engine with the installation folder's help file, and a
// failing engine never fails the window that asked.
#include "DialogTestSupport.h"

#include "platform/app/Translations.h"
#include "support/Languages.h"

#include <QFile>
#include <stdexcept>

namespace app::testing {
namespace {

class ThrowingHelp : public platform::IHelpViewer {
public:
    void ShowHelpTopic(const QString &, const QString &) override {
        ++calls;
        throw std::runtime_error("help engine broken");
    }
    int calls = 0;
};

class HelpTopicsTest : public DialogTest {};

TEST_F(HelpTopicsTest, TopicGoesToTheEngineWithTheHelpFileAndAFailureStaysThere) {
    ShowHelpTopic("som");
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].first, installDir.filePath("aide"));
    EXPECT_EQ(help.requests[0].second, QStringLiteral("som"));

    ThrowingHelp broken;
    ScopedHelpService installed(broken);
    EXPECT_NO_THROW(ShowHelpTopic("rub7"));
    EXPECT_EQ(broken.calls, 1);
    EXPECT_TRUE(boxes.shown.isEmpty());
}

// The help file follows the program's language; an installation folder made before the
// English help existed still gets the French one rather than a missing file.
TEST_F(HelpTopicsTest, HelpFileInTheProgramsLanguageWhenTheFolderHasIt) {
    using platform::Language;
    struct Case {
        Language language;
        bool englishShipped;
        const char *expected;
    };
    const Case cases[] = {{testsupport::French(), true, "aide"},
                          {testsupport::English(), true, "aide.en"},
                          {testsupport::English(), false, "aide"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        QFile english(installDir.filePath("aide.en"));
        if (c.englishShipped) {
            ASSERT_TRUE(english.open(QIODevice::WriteOnly));
            english.close();
        } else {
            english.remove();
        }
        platform::SelectLanguage(c.language);
        help.requests.clear();
        ShowHelpTopic("rub8");
        platform::SelectLanguage(testsupport::French());
        ASSERT_EQ(help.requests.size(), 1u);
        EXPECT_EQ(help.requests[0].first, installDir.filePath(c.expected));
        EXPECT_EQ(help.requests[0].second, QStringLiteral("rub8"));
    }
}

} // namespace
} // namespace app::testing
