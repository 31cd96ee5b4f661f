// The about box through its real window: opening, the system figures, the links, the ways
// out, and the memory's formatting.
#include "DialogTestSupport.h"

#include "dialogs/Unit10.h"
#include "platform/desktop/Shell.h"
#include "widgets/ScrollingText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QUrl>

namespace app::testing {
namespace {

class RecordingShell : public platform::IShell {
public:
    void OpenAddress(const QString &address) override { opened.append(address); }
    QStringList opened;
};

class AboutDialogTest : public DialogTest {
protected:
    AboutDialogTest() {
        // The box's pictures come from the installation folder, as shipped.
        const QDir shipped(qEnvironmentVariable("VENTROSE_SOURCE_DIR") + "/data/shipped");
        for (const char *name : {"apropos.bmp", "bandeau.bmp"})
            QFile::copy(shipped.filePath(name), installDir.filePath(name));
        form = std::make_unique<TForm10>(main);
        form->SetShell(&shell);
        form->SetMemoryStatusSource([this] { return memory; });
    }

    void Press(QLabel *label, Qt::MouseButton button) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2),
                          label->mapToGlobal(QPointF(2, 2)), button, button, Qt::NoModifier);
        QApplication::sendEvent(label, &press);
    }

    RecordingShell shell;
    platform::MemoryStatus memory{
        .totalPhysical = 4ull << 30, .availablePhysical = 1536ull << 20, .memoryLoad = 62};
    std::unique_ptr<TForm10> form;
};

TEST_F(AboutDialogTest, OpeningRestartsTheScrollPlaysTheSoundAndMeasuresTheComputerAgain) {
    EXPECT_EQ(form->ScrollingText1->Picture().size(), QSize(396, 684));
    EXPECT_EQ(form->Image1->pixmap().size(), QSize(425, 81));
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        form->ShowOnTop();
        EXPECT_FALSE(main.isVisible());
        EXPECT_TRUE(form->ScrollingText1->Active());
        EXPECT_TRUE(form->ScrollingText1->TimerRunning());
        EXPECT_EQ(form->ScrollingText1->Position(), 2);
        EXPECT_EQ(main.sounds.size(), opening);
        EXPECT_EQ(main.sounds.back(), "ID60.wav");
        // The available memory, as the caption says, not the total.
        EXPECT_EQ(form->Label4->text(), KiloBytesText(memory.availablePhysical));
        EXPECT_EQ(form->Label5->text(), QString::number(memory.memoryLoad) + "%");
        const QSize screen = platform::ScreenSize();
        EXPECT_EQ(form->Label10->text(),
                  QString("%1 x %2").arg(screen.width()).arg(screen.height()));
        EXPECT_EQ(form->Label11->text(), QString("%1 bits").arg(form->depth()));

        form->ScrollingText1->Tick();
        form->BitBtn1->click();
        memory.availablePhysical = 3ull << 30;
        memory.memoryLoad = 25;
    }
}

TEST_F(AboutDialogTest, OkEnterAndTheCloseBoxStopTheScrollAndBringTheMainWindowBack) {
    // Enter and the keypad's Enter reach the window from a control that leaves them.
    const std::function<void()> ways[] = {
        [this] { form->BitBtn1->click(); },
        [this] { form->close(); },
        [this] { QTest::keyClick(form.get(), Qt::Key_Return); },
        [this] { QTest::keyClick(form.get(), Qt::Key_Enter, Qt::KeypadModifier); },
    };
    for (const auto &leave : ways) {
        form->ShowOnTop();
        ASSERT_FALSE(main.isVisible());
        leave();
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(form->ScrollingText1->Active());
        EXPECT_FALSE(form->ScrollingText1->TimerRunning());
        EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(Active(), &main);
    }
}

TEST_F(AboutDialogTest, AnyMouseButtonOpensTheLinks) {
    form->ShowOnTop();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        Press(form->Label3, button);
        Press(form->Label12, button);
    }
    ASSERT_EQ(shell.opened.size(), 6);
    const QString web = shell.opened.at(0), mail = shell.opened.at(1);
    EXPECT_EQ(web, form->Label3->text());
    EXPECT_EQ(QUrl(web).scheme(), "https");
    for (int i = 2; i < 6; i += 2) {
        EXPECT_EQ(shell.opened.at(i), web);
        EXPECT_EQ(shell.opened.at(i + 1), mail);
    }
    // mailto:address?subject=..., the subject as percent-encoded UTF-8 (RFC 6068).
    const QString prefix = "mailto:" + form->Label12->text() + "?subject=";
    ASSERT_TRUE(mail.startsWith(prefix)) << mail.toStdString();
    const QString encoded = mail.mid(prefix.size());
    for (QChar c : encoded)
        EXPECT_TRUE((c.isLetterOrNumber() && c.unicode() < 128) || QString("-._~%").contains(c))
            << encoded.toStdString();
    EXPECT_EQ(QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toLatin1())),
              AuthorMailSubject());
}

TEST(KiloBytesText, RoundsToWholeKoAndGroupsThousandsAsTheLocaleDoes) {
    const QLocale locales[] = {QLocale(QLocale::French, QLocale::France),
                               QLocale(QLocale::English, QLocale::UnitedStates),
                               QLocale(QLocale::German, QLocale::Germany), QLocale::c()};
    for (const QLocale &locale : locales) {
        const QString sep = locale.groupSeparator();
        SCOPED_TRACE(locale.name().toStdString());
        EXPECT_EQ(KiloBytesText(268435456, locale), "262" + sep + "144 Ko");
        EXPECT_EQ(KiloBytesText(17179869184ull, locale), "16" + sep + "777" + sep + "216 Ko");
        EXPECT_EQ(KiloBytesText(999 * 1024, locale), "999 Ko");
        EXPECT_EQ(KiloBytesText(1000 * 1024 + 511, locale), "1" + sep + "000 Ko");
        EXPECT_EQ(KiloBytesText(1000 * 1024 + 512, locale), "1" + sep + "001 Ko");
    }
}

} // namespace
} // namespace app::testing
