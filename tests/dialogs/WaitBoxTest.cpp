// The wait box: its clip, and what showing and hiding it does to the activation.
#include "DialogTestSupport.h"

#include "ShippedData.h"

#include "dialogs/Unit6.h"
#include "platform/app/Errors.h"
#include "platform/media/Animation.h"

#include <QDir>
#include <QFile>
#include <QLabel>

namespace app::testing {
namespace {

class WaitBoxTest : public DialogTest {
protected:
    // Puts the shipped clip into the installation folder.
    void InstallClip() {
        const QString shipped = QDir(testsupport::ShippedDataDir()).filePath("rose.avi");
        ASSERT_TRUE(QFile::copy(shipped, installDir.filePath("rose.avi"))) << shipped.toStdString();
    }

    TForm6 box;
};

TEST_F(WaitBoxTest, IsABorderlessBoxThatTheModelDoesNotTreatAsADialog) {
    EXPECT_EQ(box.size(), QSize(204, 175));
    EXPECT_TRUE(box.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(box.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(box.Label1->text(), QStringLiteral("Veuillez patienter..."));
    EXPECT_EQ(box.Animate1->size(), QSize(81, 81));
    EXPECT_FALSE(box.Animate1->Active());
    EXPECT_FALSE(application.Model().IsRegistered(&box));
}

TEST_F(WaitBoxTest, MissingClipRaisesTheAviErrorAndShowsNothing) {
    const int mainActivations = main.activations;
    try {
        box.ShowWait();
        FAIL() << "no error";
    } catch (const platform::EAviError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Impossible d'ouvrir l'AVI"));
    }
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.Animate1->Active());
    EXPECT_EQ(application.Model().OpenBoxes(), 0);
    EXPECT_EQ(Active(), &main);
    EXPECT_EQ(main.activations, mainActivations);
}

TEST_F(WaitBoxTest, ShowingPlaysTheClipOnTopAndHidingActivatesTheMainWindowAgain) {
    InstallClip();
    const int mainActivations = main.activations;

    box.ShowWait();
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(box.Animate1->Active());
    EXPECT_GT(box.Animate1->FrameCount(), 0);
    EXPECT_EQ(Active(), &box);
    EXPECT_EQ(application.Model().OpenBoxes(), 1);
    EXPECT_EQ(main.activations, mainActivations);

    box.HideWait();
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(box.Animate1->Active());
    EXPECT_EQ(application.Model().OpenBoxes(), 0);
    EXPECT_EQ(Active(), &main);
    EXPECT_EQ(main.activations, mainActivations + 1);

    // Every exchange shows and hides it again.
    box.ShowWait();
    box.HideWait();
    EXPECT_EQ(main.activations, mainActivations + 2);
}

} // namespace
} // namespace app::testing
