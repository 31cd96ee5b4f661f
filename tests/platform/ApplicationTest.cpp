// Forms, boxes, the event pump and termination on real offscreen widgets.
#include "platform/Application.h"
#include "platform/Errors.h"
#include "platform/Guarded.h"
#include "platform/MessageBoxes.h"
#include "RecordingMessageBoxService.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QFontInfo>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.SetMainForm(&mainForm, [this] { ++mainRuns; });
        app.RegisterForm(&dialog, [this] { ++dialogRuns; });
    }

    // Ends a wait that would otherwise never end, so a fault fails instead of hanging.
    void Watchdog() {
        QTimer::singleShot(5000, &app, [this] {
            watchdogFired = true;
            app.Terminate();
        });
    }

    QWidget mainForm;
    QDialog dialog;
    platform::Application app; // destroyed first: it stops watching the forms
    RecordingMessageBoxService boxes;
    platform::ScopedMessageBoxService scopedBoxes{boxes};
    int mainRuns = 0;
    int dialogRuns = 0;
    bool watchdogFired = false;
};

bool StaysOnTop(const QWidget &widget) {
    return widget.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

TEST_F(ApplicationTest, ShowFormAndHideForm) {
    app.ShowMainForm();
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 1);
    EXPECT_FALSE(StaysOnTop(mainForm));

    app.ShowForm(&dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(StaysOnTop(dialog));
    EXPECT_EQ(app.ActiveForm(), &dialog);
    EXPECT_EQ(dialogRuns, 1);

    app.HideForm(&dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(StaysOnTop(dialog));
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 2);
    EXPECT_EQ(dialogRuns, 1);

    // Shown again (the level is set while hidden, so no intermediate hide is seen).
    app.ShowForm(&dialog);
    app.ShowForm(&dialog);
    EXPECT_EQ(dialogRuns, 2);
    EXPECT_EQ(mainRuns, 2);
}

TEST_F(ApplicationTest, HideAndCloseCalledDirectlyReachTheModel) {
    app.ShowMainForm();
    app.ShowForm(&dialog);
    dialog.hide();
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 2);

    app.ShowForm(&dialog);
    dialog.close(); // the close box: hidden, not destroyed
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 3);

    dialog.show();
    EXPECT_EQ(app.ActiveForm(), &dialog);
    EXPECT_EQ(dialogRuns, 3);
}

TEST_F(ApplicationTest, MainFormHiddenAndShown) {
    app.ShowMainForm();
    app.ShowForm(&dialog);
    app.HideMainForm(); // a module dialog hides the main window
    EXPECT_EQ(app.ActiveForm(), &dialog);
    app.HideForm(&dialog);
    EXPECT_EQ(app.ActiveForm(), nullptr);
    EXPECT_EQ(mainRuns, 1);
    app.ShowMainForm();
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 2);
}

TEST_F(ApplicationTest, DestroyedFormLeavesTheModel) {
    auto *extra = new QDialog;
    int extraRuns = 0;
    app.RegisterForm(extra, [&] { ++extraRuns; });
    app.ShowMainForm();
    app.ShowForm(extra);
    EXPECT_EQ(extraRuns, 1);
    delete extra;
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(app.Model().Active(), &mainForm);
}

TEST_F(ApplicationTest, FocusChangeToAVisibleFormActivatesIt) {
    app.ShowMainForm();
    app.ShowForm(&dialog);
    ASSERT_NE(mainForm.windowHandle(), nullptr);
    emit qApp->focusWindowChanged(mainForm.windowHandle()); // the user clicks main
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 2);
    emit qApp->focusWindowChanged(mainForm.windowHandle());
    emit qApp->focusWindowChanged(nullptr);
    EXPECT_EQ(mainRuns, 2);
    app.HideForm(&dialog);
    emit qApp->focusWindowChanged(dialog.windowHandle()); // hidden: ignored
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(dialogRuns, 1);
}

TEST_F(ApplicationTest, MessageBoxReactivatesBeforeItReturns) {
    app.ShowMainForm();
    int mainRunsWhileShown = -1;
    const void *activeWhileShown = nullptr;
    boxes.whileShown = [&] {
        mainRunsWhileShown = mainRuns;
        activeWhileShown = app.Model().Active();
    };
    platform::MessageBoxes::Information(QStringLiteral("   Texte\nexact"));
    EXPECT_EQ(mainRunsWhileShown, 1);
    EXPECT_NE(activeWhileShown, static_cast<const void *>(&mainForm));
    EXPECT_EQ(mainRuns, 2); // main's handler ran before the call returned
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("   Texte\nexact"));

    // From a dialog, the dialog becomes active again, not main.
    app.ShowForm(&dialog);
    boxes.answers = {true};
    EXPECT_TRUE(platform::MessageBoxes::Question(QStringLiteral("?")));
    EXPECT_EQ(app.ActiveForm(), &dialog);
    EXPECT_EQ(dialogRuns, 2);
    EXPECT_EQ(mainRuns, 2);
}

TEST_F(ApplicationTest, WaitBoxIsReportedAsABox) {
    app.ShowMainForm();
    QWidget waitBox;
    app.ShowBox(&waitBox);
    EXPECT_TRUE(waitBox.isVisible());
    EXPECT_TRUE(StaysOnTop(waitBox));
    EXPECT_EQ(app.ActiveForm(), nullptr);
    emit qApp->focusWindowChanged(mainForm.windowHandle()); // ignored while it shows
    EXPECT_EQ(mainRuns, 1);
    app.HideBox(&waitBox);
    EXPECT_FALSE(waitBox.isVisible());
    EXPECT_FALSE(StaysOnTop(waitBox));
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 2);
}

TEST_F(ApplicationTest, FailingActivationHandlerShowsTheErrorBoxOnce) {
    app.SetMainForm(&mainForm, [this] {
        ++mainRuns;
        throw platform::EInOutError(QStringLiteral("Ventrose.inf"), QStringLiteral("Disk full"));
    });
    app.ShowMainForm();
    EXPECT_EQ(mainRuns, 1); // closing the error box does not run it again
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, QStringLiteral("Error"));
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Ventrose"));
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Erreur d'entrée/sortie sur le fichier Ventrose.inf : Disk full"));
    EXPECT_EQ(app.ActiveForm(), &mainForm);
}

TEST_F(ApplicationTest, GuardedHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
    app.ShowMainForm();
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, platform::Guarded([] {
        throw platform::EConvertError::NotAnInteger(QStringLiteral("x"));
    }));
    button.click();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Ventrose"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("'x' n'est pas une valeur entière correcte"));
    EXPECT_EQ(mainRuns, 2); // the error box's closing re-activated main

    // Thrown from a timer inside the event loop: reported, and later events still run.
    bool later = false;
    QTimer::singleShot(0, &app, platform::Guarded([] { throw 42; }));
    QTimer::singleShot(1, &app, [&] { later = true; });
    Watchdog();
    while (!later && !app.Terminated())
        app.ProcessMessages();
    EXPECT_TRUE(later);
    EXPECT_FALSE(watchdogFired);
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST_F(ApplicationTest, GuardedPassesTheSignalsArguments) {
    int received = 0;
    QPushButton button;
    button.setCheckable(true);
    QObject::connect(&button, &QPushButton::toggled,
                     platform::Guarded([&](bool checked) { received = checked ? 1 : -1; }));
    button.click();
    EXPECT_EQ(received, 1);
    button.click();
    EXPECT_EQ(received, -1);
}

TEST_F(ApplicationTest, ProcessMessagesReturnsOnceAPostedEventWasHandled) {
    bool flag = false;
    QMetaObject::invokeMethod(
        &app, [&] { flag = true; }, Qt::QueuedConnection);
    Watchdog();
    while (!flag && !app.Terminated())
        app.ProcessMessages();
    EXPECT_TRUE(flag);
    EXPECT_FALSE(watchdogFired);
}

TEST_F(ApplicationTest, TerminateEndsAWaitAndEveryLaterBoxAndHandler) {
    bool flag = false;
    QTimer::singleShot(1, &app, [this] { app.Terminate(); });
    while (!flag && !app.Terminated())
        app.ProcessMessages();
    EXPECT_TRUE(app.Terminated());

    EXPECT_FALSE(platform::MessageBoxes::Question(QStringLiteral("?")));
    platform::MessageBoxes::Warning(QStringLiteral("!"));
    EXPECT_TRUE(boxes.boxes.empty());
    app.ShowMainForm();
    EXPECT_EQ(mainRuns, 0);
    EXPECT_EQ(app.Run(), 0); // returns at once
}

TEST_F(ApplicationTest, RunReturnsOnceTerminated) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &app, [&] {
        if (++ticks == 3)
            app.Terminate();
    });
    timer.start(0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(ticks, 3);
}

TEST_F(ApplicationTest, TerminateClosesAnOpenModalBoxAndItsAnswerIsNo) {
    platform::QtMessageBoxService real;
    platform::ScopedMessageBoxService useReal(real);
    QTimer::singleShot(0, &app, [this] { app.Terminate(); });
    EXPECT_FALSE(platform::MessageBoxes::Question(QStringLiteral("Continuer ?")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(FontsTest, WindowsSansSerifFontsBecomeLiberationSans) {
    platform::Application app;
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("MS Sans Serif"), 8)).family(),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Tahoma"), 8)).family(),
              QStringLiteral("Liberation Sans"));
}

} // namespace
