// The activation model alone: transitions, de-duplication, boxes and re-entrancy.
#include "platform/ActivationModel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using platform::ActivationModel;
using platform::BoxReturn;

// Window handles: the addresses of these objects.
char mainWindow, dialogA, dialogB, boxX, boxY;

enum class Action { Show, Hide, BoxShow, BoxHide, BoxHideQuietly, Focus };

struct Step {
    Action action;
    const void *window;
    const void *expectedActive;
    int mainRuns, aRuns, bRuns; // handler runs so far
};

class ActivationModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.AddWindow(&mainWindow, [this] { ++runs[&mainWindow]; });
        model.AddWindow(&dialogA, [this] { ++runs[&dialogA]; });
        model.AddWindow(&dialogB, [this] { ++runs[&dialogB]; });
        model.SetMainWindow(&mainWindow);
    }

    void Apply(const Step &step) {
        switch (step.action) {
        case Action::Show:
            model.Shown(step.window);
            break;
        case Action::Hide:
            model.Hidden(step.window);
            break;
        case Action::BoxShow:
            model.BoxShown(step.window);
            break;
        case Action::BoxHide:
            model.BoxHidden(step.window);
            break;
        case Action::BoxHideQuietly:
            model.BoxHidden(step.window, BoxReturn::Quietly);
            break;
        case Action::Focus:
            model.FocusChanged(step.window);
            break;
        }
    }

    void RunTable(const std::vector<Step> &steps) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            Apply(steps[i]);
            SCOPED_TRACE("step " + std::to_string(i + 1));
            EXPECT_EQ(model.Active(), steps[i].expectedActive);
            EXPECT_EQ(runs[&mainWindow], steps[i].mainRuns);
            EXPECT_EQ(runs[&dialogA], steps[i].aRuns);
            EXPECT_EQ(runs[&dialogB], steps[i].bRuns);
        }
    }

    ActivationModel model;
    std::map<const void *, int> runs;
    std::vector<std::string> log;
};

TEST_F(ActivationModelTest, DialogsBoxesAndTheMainWindow) {
    RunTable({
        {Action::Show, &mainWindow, &mainWindow, 1, 0, 0},     // first show
        {Action::Show, &dialogA, &dialogA, 1, 1, 0},           // dialog above all
        {Action::Hide, &dialogA, &mainWindow, 2, 1, 0},        // back to main
        {Action::BoxShow, &boxX, &boxX, 2, 1, 0},              // message box from main
        {Action::BoxHide, &boxX, &mainWindow, 3, 1, 0},        // its closing re-activates
        {Action::Show, &dialogA, &dialogA, 3, 2, 0},           //
        {Action::BoxShow, &boxX, &boxX, 3, 2, 0},              // box from the dialog
        {Action::BoxHide, &boxX, &dialogA, 3, 3, 0},           // the dialog, not main
        {Action::Show, &dialogA, &dialogA, 3, 3, 0},           // already active: nothing
        {Action::Show, &dialogB, &dialogB, 3, 3, 1},           //
        {Action::Hide, &dialogA, &dialogB, 3, 3, 1},           // a hidden inactive dialog
        {Action::Hide, &dialogB, &mainWindow, 4, 3, 1},        // main, not the other dialog
        {Action::BoxShow, &boxX, &boxX, 4, 3, 1},              //
        {Action::BoxHideQuietly, &boxX, &mainWindow, 4, 3, 1}, // back without the handler
    });
}

TEST_F(ActivationModelTest, HiddenMainWindow) {
    RunTable({
        {Action::Show, &mainWindow, &mainWindow, 1, 0, 0},
        {Action::Show, &dialogA, &dialogA, 1, 1, 0},
        {Action::Hide, &mainWindow, &dialogA, 1, 1, 0},    // a module dialog hides main
        {Action::Hide, &dialogA, nullptr, 1, 1, 0},        // nothing left to activate
        {Action::BoxShow, &boxX, &boxX, 1, 1, 0},          //
        {Action::BoxHide, &boxX, nullptr, 1, 1, 0},        // before it: nothing
        {Action::Show, &mainWindow, &mainWindow, 2, 1, 0}, // showing main activates it
        {Action::Hide, &mainWindow, nullptr, 2, 1, 0},
        {Action::Show, &mainWindow, &mainWindow, 3, 1, 0},
    });
}

TEST_F(ActivationModelTest, BoxWhoseOwnerHidMeanwhileReturnsToMain) {
    RunTable({
        {Action::Show, &mainWindow, &mainWindow, 1, 0, 0},
        {Action::Show, &dialogA, &dialogA, 1, 1, 0},
        {Action::BoxShow, &boxX, &boxX, 1, 1, 0},
        {Action::Hide, &dialogA, &boxX, 1, 1, 0},       // hidden by a timer event
        {Action::BoxHide, &boxX, &mainWindow, 2, 1, 0}, // falls back to main
        {Action::BoxShow, &boxX, &boxX, 2, 1, 0},
        {Action::BoxShow, &boxY, &boxY, 2, 1, 0}, // nested box
        {Action::BoxHide, &boxY, &boxX, 2, 1, 0},
        {Action::BoxHide, &boxX, &mainWindow, 3, 1, 0},
    });
}

TEST_F(ActivationModelTest, FocusEventsCountOnlyForVisibleInactiveWindowsWithoutBoxes) {
    RunTable({
        {Action::Show, &mainWindow, &mainWindow, 1, 0, 0},
        {Action::Focus, &mainWindow, &mainWindow, 1, 0, 0}, // already active
        {Action::Focus, &dialogA, &mainWindow, 1, 0, 0},    // hidden
        {Action::Focus, nullptr, &mainWindow, 1, 0, 0},     // focus left the program
        {Action::Focus, &boxX, &mainWindow, 1, 0, 0},       // unknown window
        {Action::Show, &dialogA, &dialogA, 1, 1, 0},
        {Action::Focus, &mainWindow, &mainWindow, 2, 1, 0}, // the user clicks main
        {Action::Focus, &dialogA, &dialogA, 2, 2, 0},       // and the dialog again
        {Action::BoxShow, &boxX, &boxX, 2, 2, 0},
        {Action::Focus, &mainWindow, &boxX, 2, 2, 0}, // the box owns activation
        {Action::Focus, &boxX, &boxX, 2, 2, 0},
        {Action::BoxHide, &boxX, &dialogA, 2, 3, 0},
    });
}

TEST_F(ActivationModelTest, ChangeMadeInsideAHandlerRunsAfterItReturns) {
    // Main's handler opens a dialog the first time: the dialog's handler must not run
    // in the middle of main's.
    model.AddWindow(&mainWindow, [this] {
        log.push_back("main begins");
        if (runs[&mainWindow]++ == 0)
            model.Shown(&dialogA);
        log.push_back("main ends");
    });
    model.AddWindow(&dialogA, [this] { log.push_back("dialog"); });
    model.Shown(&mainWindow);
    EXPECT_EQ(log, (std::vector<std::string>{"main begins", "main ends", "dialog"}));
    EXPECT_EQ(model.Active(), &dialogA);
}

TEST_F(ActivationModelTest, WaitBoxInsideMainsHandlerRunsMainAgainAfterwards) {
    // The parameter transfer runs inside main's handler and shows and hides the wait
    // box; main becoming active again must run its handler once more, afterwards.
    model.AddWindow(&mainWindow, [this] {
        if (runs[&mainWindow]++ == 0) {
            model.BoxShown(&boxX);
            EXPECT_EQ(model.Active(), &boxX);
            model.BoxHidden(&boxX);
            EXPECT_EQ(runs[&mainWindow], 1); // not re-entered
        }
    });
    model.Shown(&mainWindow);
    EXPECT_EQ(runs[&mainWindow], 2);
    EXPECT_EQ(model.Active(), &mainWindow);
}

TEST_F(ActivationModelTest, QuietErrorBoxInsideAHandlerKeepsEarlierChanges) {
    // First run: an error box closed quietly, nothing else: no second run.
    // Second run: a dialog shown, then the quiet error box: the dialog still follows.
    model.AddWindow(&mainWindow, [this] {
        const int run = runs[&mainWindow]++;
        if (run == 1)
            model.Shown(&dialogA);
        if (run <= 1) {
            model.BoxShown(&boxX);
            model.BoxHidden(&boxX, BoxReturn::Quietly);
        }
    });
    model.Shown(&mainWindow);
    EXPECT_EQ(runs[&mainWindow], 1);
    EXPECT_EQ(model.Active(), &mainWindow);

    model.Hidden(&mainWindow);
    model.Shown(&mainWindow);
    EXPECT_EQ(runs[&mainWindow], 2);
    EXPECT_EQ(runs[&dialogA], 1);
    EXPECT_EQ(model.Active(), &dialogA);
}

TEST_F(ActivationModelTest, RemovedWindowIsForgotten) {
    model.Shown(&mainWindow);
    model.Shown(&dialogA);
    model.RemoveWindow(&dialogA);
    EXPECT_FALSE(model.IsRegistered(&dialogA));
    EXPECT_EQ(model.Active(), &mainWindow);
    EXPECT_EQ(runs[&mainWindow], 2);
    model.FocusChanged(&dialogA);
    model.Shown(&dialogA);
    EXPECT_EQ(model.Active(), &mainWindow);
}

TEST_F(ActivationModelTest, HandlerThatThrowsLeavesTheModelUsable) {
    model.AddWindow(&dialogA, [] { throw std::runtime_error("failed"); });
    model.Shown(&mainWindow);
    EXPECT_THROW(model.Shown(&dialogA), std::runtime_error);
    EXPECT_EQ(model.Active(), &dialogA);
    model.Hidden(&dialogA);
    EXPECT_EQ(model.Active(), &mainWindow);
    EXPECT_EQ(runs[&mainWindow], 2);
}

} // namespace
