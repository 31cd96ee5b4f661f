// Forms, boxes, guarded handlers, the event pump and termination on offscreen widgets.
#include "platform/app/Application.h"
#include "platform/app/Errors.h"
#include "platform/app/Guarded.h"
#include "RecordingMessageBoxService.h"

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <vector>

namespace {

bool StaysOnTop(const QWidget &widget) {
    return widget.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.SetMainForm(&mainForm, [this] { ++mainRuns; });
        app.RegisterForm(&dialog, [this] { ++dialogRuns; });
        app.ShowMainForm();
    }

    // The program's nested wait; a watchdog turns a hang into a failure.
    void WaitFor(const bool &flag) {
        QTimer::singleShot(5000, &app, [this] {
            watchdogFired = true;
            app.Terminate();
        });
        while (!flag && !app.Terminated())
            app.ProcessMessages();
    }

    QWidget mainForm;
    QDialog dialog;
    platform::Application app; // destroyed first: it stops watching the forms
    RecordingMessageBoxService boxes;
    platform::ScopedMessageBoxService scopedBoxes{boxes};
    int mainRuns = 0, dialogRuns = 0;
    bool watchdogFired = false;
};

TEST_F(ApplicationTest, FormsShownAndHiddenByAnyMeans) {
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 1);

    app.ShowForm(&dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(StaysOnTop(dialog));
    EXPECT_EQ(app.ActiveForm(), &dialog);
    app.ShowForm(&dialog); // already shown and active: nothing runs
    EXPECT_EQ(dialogRuns, 1);

    app.HideForm(&dialog);
    EXPECT_FALSE(StaysOnTop(dialog));
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 2);

    app.ShowForm(&dialog);
    dialog.hide(); // hidden by other code
    EXPECT_EQ(mainRuns, 3);
    app.ShowForm(&dialog);
    dialog.close(); // the close box: hidden, not destroyed
    EXPECT_EQ(mainRuns, 4);
    app.HideForm(&dialog); // already hidden: only back to the normal level
    dialog.show();         // shown by other code, at the normal level
    EXPECT_EQ(app.ActiveForm(), &dialog);
    EXPECT_EQ(dialogRuns, 4);
    app.ShowForm(&dialog); // moving a visible form to the top level hides it for a moment
    EXPECT_TRUE(StaysOnTop(dialog));
    EXPECT_EQ(mainRuns, 4);
    EXPECT_EQ(dialogRuns, 4);

    auto *extra = new QDialog;
    app.RegisterForm(extra, {});
    app.ShowForm(extra);
    delete extra;
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 5);
}

TEST_F(ApplicationTest, RealFocusChangesAndTheWaitBox) {
    app.ShowForm(&dialog);
    emit qApp->focusWindowChanged(mainForm.windowHandle()); // the user clicks main
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    emit qApp->focusWindowChanged(nullptr);
    EXPECT_EQ(mainRuns, 2);

    QWidget waitBox;
    app.ShowBox(&waitBox);
    EXPECT_TRUE(StaysOnTop(waitBox));
    EXPECT_EQ(app.ActiveForm(), nullptr);
    emit qApp->focusWindowChanged(dialog.windowHandle()); // ignored while it shows
    app.HideBox(&waitBox);
    EXPECT_EQ(app.ActiveForm(), &mainForm);
    EXPECT_EQ(mainRuns, 3);
    EXPECT_EQ(dialogRuns, 1);
}

// A command chosen from a menu shows its dialog while the menu closes; the focus that the
// window system then gives back to the main window is no return of the user to it.
TEST_F(ApplicationTest, FocusComingBackFromAClosedMenuActivatesNothing) {
    QMenu menu;
    menu.winId(); // its window, of the pop-up kind
    enum Focus { Popup, Main, Dialog };
    const struct {
        const char *name;
        std::vector<Focus> focus; // in the order the window system reports it
        int mainRuns;             // of the main window's handler, after the dialog showed
        QWidget *active;
    } cases[] = {
        {"menu closes", {Popup, Main}, 0, &dialog},
        {"menu closes, then the dialog gets the focus", {Popup, Main, Dialog}, 0, &dialog},
        {"the user clicks the main window", {Dialog, Main}, 1, &mainForm},
        {"menu closes, then the user clicks the main window",
         {Popup, Main, Dialog, Main},
         1,
         &mainForm},
        {"a menu of the main window opened and closed", {Main, Popup, Main}, 1, &mainForm},
    };
    for (const auto &c : cases) {
        app.HideForm(&dialog);
        emit qApp->focusWindowChanged(mainForm.windowHandle());
        const int before = mainRuns;
        app.ShowForm(&dialog); // the command, from the menu or the tool bar
        for (const Focus focus : c.focus)
            emit qApp->focusWindowChanged(focus == Popup  ? menu.windowHandle()
                                          : focus == Main ? mainForm.windowHandle()
                                                          : dialog.windowHandle());
        EXPECT_EQ(mainRuns - before, c.mainRuns) << c.name;
        EXPECT_EQ(app.ActiveForm(), c.active) << c.name;
    }
}

TEST_F(ApplicationTest, MessageBoxReactivatesItsWindowBeforeReturning) {
    int mainRunsWhileShown = -1;
    boxes.whileShown = [&] { mainRunsWhileShown = mainRuns; };
    platform::MessageBoxes::Information(QStringLiteral("   Texte\nexact"));
    EXPECT_EQ(mainRunsWhileShown, 1);
    EXPECT_EQ(mainRuns, 2);
    EXPECT_EQ(boxes.boxes.at(0).text, QStringLiteral("   Texte\nexact"));

    app.ShowForm(&dialog);
    boxes.answers = {true};
    EXPECT_TRUE(platform::MessageBoxes::Question(QStringLiteral("?")));
    EXPECT_EQ(app.ActiveForm(), &dialog); // the dialog, not main
    EXPECT_EQ(dialogRuns, 2);
    EXPECT_EQ(mainRuns, 2);
}

TEST_F(ApplicationTest, ErrorBoxOfAFailingActivationHandlerDoesNotBringItBack) {
    app.SetMainForm(&mainForm, [this] {
        ++mainRuns;
        throw platform::EInOutError(QStringLiteral("Ventrose.inf"), QStringLiteral("Disk full"));
    });
    app.HideMainForm();
    app.ShowMainForm();
    EXPECT_EQ(mainRuns, 2); // once, not again when its error box closed
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Ventrose"));
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Erreur d'entrée/sortie sur le fichier Ventrose.inf : Disk full"));
}

TEST_F(ApplicationTest, GuardedHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
    QPushButton button;
    button.setCheckable(true);
    bool checked = false;
    QObject::connect(&button, &QPushButton::toggled, platform::Guarded([&](bool on) {
        checked = on;
        throw platform::EConvertError::NotAnInteger(QStringLiteral("x"));
    }));
    button.click();
    EXPECT_TRUE(checked); // the signal's argument reached the handler
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, QStringLiteral("Error"));
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Ventrose"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("'x' n'est pas une valeur entière correcte"));
    EXPECT_EQ(mainRuns, 2); // an ordinary handler's error box re-activates main

    bool later = false;
    QTimer::singleShot(0, &app, platform::Guarded([] { throw 42; }));
    QTimer::singleShot(1, &app, [&] { later = true; });
    WaitFor(later);
    EXPECT_TRUE(later);
    EXPECT_FALSE(watchdogFired);
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST_F(ApplicationTest, ProcessMessagesReturnsOnceAPostedEventWasHandled) {
    bool flag = false;
    QMetaObject::invokeMethod(
        &app, [&] { flag = true; }, Qt::QueuedConnection);
    WaitFor(flag);
    EXPECT_FALSE(watchdogFired);
}

TEST_F(ApplicationTest, TerminateEndsTheWaitAndEveryLaterBoxAndHandler) {
    const bool never = false;
    QTimer::singleShot(1, &app, [this] { app.Terminate(); });
    WaitFor(never);
    EXPECT_FALSE(watchdogFired);
    EXPECT_TRUE(app.Terminated());

    EXPECT_FALSE(platform::MessageBoxes::Question(QStringLiteral("?")));
    platform::MessageBoxes::Warning(QStringLiteral("!"));
    EXPECT_TRUE(boxes.boxes.empty());
    app.HideMainForm();
    app.ShowMainForm();
    EXPECT_EQ(mainRuns, 1);
}

TEST_F(ApplicationTest, RunEndsWhenTerminatedAndClosesAnOpenModalBox) {
    platform::QtMessageBoxService real;
    platform::ScopedMessageBoxService useReal(real);
    bool answer = true;
    QTimer::singleShot(0, &app, [&] {
        QTimer::singleShot(0, &app, [this] { app.Terminate(); });
        answer = platform::MessageBoxes::Question(QStringLiteral("Continuer ?"));
    });
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(answer);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(FontsTest, WindowsSansSerifFontsBecomeLiberationSans) {
    platform::Application app;
    for (const char *family : {"MS Sans Serif", "Tahoma"})
        EXPECT_EQ(QFontInfo(QFont(family, 8)).family(), QStringLiteral("Liberation Sans"));
}

} // namespace
