// The real Qt message boxes: titles, buttons and texts exactly as given.
#include "platform/MessageBoxes.h"
#include "platform/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
};

// Waits (in the event loop) for the modal box to open, records it and presses the
// button with the given caption.
void PressWhenOpen(SeenBox &seen, const QString &caption) {
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, caption] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll->stop();
        poll->deleteLater();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        QAbstractButton *toPress = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            seen.buttons << button->text();
            if (button->text() == caption)
                toPress = button;
        }
        if (toPress != nullptr)
            toPress->click();
        else
            box->close(); // no such button: do not hang
    });
    poll->start(1);
}

class MessageBoxesTest : public ::testing::Test {
protected:
    platform::Application app;
    platform::QtMessageBoxService real;
    platform::ScopedMessageBoxService scoped{real};
};

TEST_F(MessageBoxesTest, InformationAndWarning) {
    SeenBox seen;
    PressWhenOpen(seen, QStringLiteral("OK"));
    const QString text = QStringLiteral("     Félicitations !!!\nCommunication établie.");
    platform::MessageBoxes::Information(text);
    EXPECT_EQ(seen.title, QStringLiteral("Information"));
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});

    SeenBox warning;
    PressWhenOpen(warning, QStringLiteral("OK"));
    platform::MessageBoxes::Warning(QStringLiteral("<b>pas du HTML</b>"));
    EXPECT_EQ(warning.title, QStringLiteral("Avertissement"));
    EXPECT_EQ(warning.text, QStringLiteral("<b>pas du HTML</b>"));
    EXPECT_EQ(warning.format, Qt::PlainText);
}

TEST_F(MessageBoxesTest, QuestionAnswersOuiOrNon) {
    SeenBox yes;
    PressWhenOpen(yes, QStringLiteral("Oui"));
    EXPECT_TRUE(platform::MessageBoxes::Question(QStringLiteral("Voulez-vous ?")));
    EXPECT_EQ(yes.title, QStringLiteral("Information"));
    EXPECT_TRUE(yes.buttons.contains(QStringLiteral("Oui")));
    EXPECT_TRUE(yes.buttons.contains(QStringLiteral("Non")));
    EXPECT_EQ(yes.buttons.size(), 2);

    SeenBox no;
    PressWhenOpen(no, QStringLiteral("Non"));
    EXPECT_FALSE(platform::MessageBoxes::Question(QStringLiteral("Voulez-vous ?")));
}

TEST_F(MessageBoxesTest, ErrorBoxHasTheApplicationsTitle) {
    SeenBox seen;
    PressWhenOpen(seen, QStringLiteral("OK"));
    app.ShowException(QStringLiteral("Impossible d'ouvrir l'AVI"));
    EXPECT_EQ(seen.title, QStringLiteral("Ventrose"));
    EXPECT_EQ(seen.text, QStringLiteral("Impossible d'ouvrir l'AVI"));
}

} // namespace
