// The real Qt message boxes: titles, buttons and texts exactly as given.
#include "platform/app/MessageBoxes.h"
#include "platform/app/Application.h"
#include "platform/app/PlainMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString title, text;
    QStringList buttons;
    bool wrapped = false;
};

// Once the modal box is open, records it and presses the button with this caption.
void PressWhenOpen(SeenBox &seen, const QString &caption) {
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, caption] {
        auto *box = qobject_cast<platform::PlainMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll->deleteLater();
        poll->stop();
        seen = {box->windowTitle(), box->Text(), {}, false};
        for (QLabel *label : box->findChildren<QLabel *>())
            if (label->text() == box->Text())
                seen.wrapped = label->wordWrap() || label->textFormat() != Qt::PlainText;
        QAbstractButton *toPress = nullptr;
        for (QAbstractButton *button : box->Buttons()) {
            seen.buttons << button->text();
            if (button->text() == caption)
                toPress = button;
        }
        toPress != nullptr ? toPress->click() : void(box->close());
    });
    poll->start(1);
}

class MessageBoxesTest : public ::testing::Test {
protected:
    platform::Application app;
    platform::QtMessageBoxService real;
    platform::ScopedMessageBoxService scoped{real};
    SeenBox seen;
};

TEST_F(MessageBoxesTest, TitlesButtonsAndPlainText) {
    const QString text = QStringLiteral("     Félicitations !!!\nCommunication établie.");
    PressWhenOpen(seen, QStringLiteral("OK"));
    platform::MessageBoxes::Information(text);
    EXPECT_EQ(seen.title, QStringLiteral("Information"));
    EXPECT_EQ(seen.text, text);
    EXPECT_FALSE(seen.wrapped);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});

    // A long line keeps its length (no wrapping) and markup is shown as text.
    const QString line = QStringLiteral("<b>pas du HTML</b> ") + QString(300, QLatin1Char('x'));
    PressWhenOpen(seen, QStringLiteral("OK"));
    platform::MessageBoxes::Warning(line);
    EXPECT_EQ(seen.title, QStringLiteral("Avertissement"));
    EXPECT_EQ(seen.text, line);
    EXPECT_FALSE(seen.wrapped);

    PressWhenOpen(seen, QStringLiteral("OK"));
    app.ShowException(QStringLiteral("Impossible d'ouvrir l'AVI"));
    EXPECT_EQ(seen.title, QStringLiteral("Ventrose"));
    EXPECT_EQ(seen.text, QStringLiteral("Impossible d'ouvrir l'AVI"));
}

TEST_F(MessageBoxesTest, QuestionAnswersOuiOrNon) {
    PressWhenOpen(seen, QStringLiteral("Oui"));
    EXPECT_TRUE(platform::MessageBoxes::Question(QStringLiteral("Voulez-vous ?")));
    EXPECT_EQ(seen.title, QStringLiteral("Information"));
    seen.buttons.sort();
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("Non"), QStringLiteral("Oui")}));

    PressWhenOpen(seen, QStringLiteral("Non"));
    EXPECT_FALSE(platform::MessageBoxes::Question(QStringLiteral("Voulez-vous ?")));
}

// Ctrl+C on an open box puts its title, its text with its blanks and line breaks, and its
// buttons on the clipboard, the way a user pastes a box into a report.
TEST_F(MessageBoxesTest, CtrlCCopiesTheWholeBox) {
    const QString text = QStringLiteral("  Première ligne\nseconde ligne");
    platform::PlainMessageBox box(platform::PlainMessageBox::Icon::Warning,
                                  QStringLiteral("Avertissement"), text, true);
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box)); // shortcuts go to the active window
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    const QString rule = QStringLiteral("---------------------------\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), rule + QStringLiteral("Avertissement\n") +
                                                        rule + text + u'\n' + rule +
                                                        QStringLiteral("Oui   Non\n") + rule);
    EXPECT_TRUE(box.isVisible()); // copying leaves the box open for its answer
}

} // namespace
