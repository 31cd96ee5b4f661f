// Help requests reach the help engine with the installation folder's help file, and a
// failing engine never fails the window that asked.
#include "DialogTestSupport.h"

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

} // namespace
} // namespace app::testing
