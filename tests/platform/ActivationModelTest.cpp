// The activation model alone: transitions, de-duplication, boxes and re-entrancy.
#include "platform/app/ActivationModel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using platform::BoxReturn;

char mainWindow, dialogA, dialogB, boxX, boxY; // handles: their addresses

enum Action { Show, Hide, BoxShow, BoxHide, BoxHideQuietly, Focus };

struct Step {
    Action action;
    const void *window;
    const void *expectedActive;
    int mainRuns, aRuns, bRuns; // handler runs so far
};

class ActivationModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const void *window : {&mainWindow, &dialogA, &dialogB})
            model.AddWindow(window, [this, window] { ++runs[window]; });
        model.SetMainWindow(&mainWindow);
    }

    void RunTable(const std::vector<Step> &steps) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step &step = steps[i];
            switch (step.action) {
            case Show:
                model.Shown(step.window);
                break;
            case Hide:
                model.Hidden(step.window);
                break;
            case BoxShow:
                model.BoxShown(step.window);
                break;
            case BoxHide:
                model.BoxHidden(step.window);
                break;
            case BoxHideQuietly:
                model.BoxHidden(step.window, BoxReturn::Quietly);
                break;
            case Focus:
                model.FocusChanged(step.window);
                break;
            }
            SCOPED_TRACE("step " + std::to_string(i + 1));
            EXPECT_EQ(model.Active(), step.expectedActive);
            EXPECT_EQ(runs[&mainWindow], step.mainRuns);
            EXPECT_EQ(runs[&dialogA], step.aRuns);
            EXPECT_EQ(runs[&dialogB], step.bRuns);
        }
    }

    platform::ActivationModel model;
    std::map<const void *, int> runs;
};

TEST_F(ActivationModelTest, DialogsAndMessageBoxes) {
    RunTable({
        {Show, &mainWindow, &mainWindow, 1, 0, 0},     // first show
        {Show, &dialogA, &dialogA, 1, 1, 0},           // dialog above all
        {Hide, &dialogA, &mainWindow, 2, 1, 0},        // back to main
        {BoxShow, &boxX, &boxX, 2, 1, 0},              // message box from main
        {BoxHide, &boxX, &mainWindow, 3, 1, 0},        // its closing re-activates
        {Show, &dialogA, &dialogA, 3, 2, 0},           //
        {BoxShow, &boxX, &boxX, 3, 2, 0},              // box from the dialog
        {BoxHide, &boxX, &dialogA, 3, 3, 0},           // the dialog, not main
        {Show, &dialogA, &dialogA, 3, 3, 0},           // already active: nothing
        {Show, &dialogB, &dialogB, 3, 3, 1},           //
        {Hide, &dialogA, &dialogB, 3, 3, 1},           // an inactive dialog hides
        {Hide, &dialogB, &mainWindow, 4, 3, 1},        // main, not the other dialog
        {BoxShow, &boxX, &boxX, 4, 3, 1},              //
        {BoxHideQuietly, &boxX, &mainWindow, 4, 3, 1}, // back without the handler
        {Show, &dialogA, &dialogA, 4, 4, 1},           //
        {BoxShow, &boxX, &boxX, 4, 4, 1},              //
        {Hide, &dialogA, &boxX, 4, 4, 1},              // its owner hides meanwhile
        {BoxShow, &boxY, &boxY, 4, 4, 1},              // nested box
        {BoxHide, &boxY, &boxX, 4, 4, 1},              //
        {BoxHide, &boxX, &mainWindow, 5, 4, 1},        // falls back to main
    });
}

TEST_F(ActivationModelTest, HiddenMainWindowAndFocusEvents) {
    RunTable({
        {Show, &mainWindow, &mainWindow, 1, 0, 0},
        {Focus, &mainWindow, &mainWindow, 1, 0, 0}, // already active
        {Focus, &dialogA, &mainWindow, 1, 0, 0},    // hidden
        {Focus, nullptr, &mainWindow, 1, 0, 0},     // focus left the program
        {Show, &dialogA, &dialogA, 1, 1, 0},
        {Focus, &mainWindow, &mainWindow, 2, 1, 0}, // the user clicks main
        {Focus, &dialogA, &dialogA, 2, 2, 0},       // and the dialog again
        {BoxShow, &boxX, &boxX, 2, 2, 0},
        {Focus, &mainWindow, &boxX, 2, 2, 0}, // the box owns the activation
        {BoxHide, &boxX, &dialogA, 2, 3, 0},
        {Hide, &mainWindow, &dialogA, 2, 3, 0}, // a module dialog hides main
        {Hide, &dialogA, nullptr, 2, 3, 0},     // nothing left to activate
        {BoxShow, &boxX, &boxX, 2, 3, 0},
        {BoxHide, &boxX, nullptr, 2, 3, 0},
        {Show, &mainWindow, &mainWindow, 3, 3, 0}, // showing main activates it
    });
}

TEST_F(ActivationModelTest, ChangesMadeInsideAHandlerRunAfterItReturns) {
    // Run 1 opens a dialog; run 2 shows and hides the wait box (the parameter
    // transfer); run 3 shows a dialog, then an error box that closes quietly.
    std::vector<std::string> log;
    model.AddWindow(&mainWindow, [&] {
        const int run = ++runs[&mainWindow];
        log.push_back("main " + std::to_string(run));
        if (run == 1)
            model.Shown(&dialogA);
        if (run == 2) {
            model.BoxShown(&boxX);
            model.BoxHidden(&boxX);
        }
        if (run == 4)
            model.Shown(&dialogB);
        if (run == 4 || run == 5) {
            model.BoxShown(&boxY);
            model.BoxHidden(&boxY, BoxReturn::Quietly);
        }
        log.push_back("end " + std::to_string(run));
    });
    model.AddWindow(&dialogA, [&] { log.push_back("A"); });
    model.AddWindow(&dialogB, [&] { log.push_back("B"); });

    model.Shown(&mainWindow); // the dialog's handler waits for main's to end
    EXPECT_EQ(log, (std::vector<std::string>{"main 1", "end 1", "A"}));
    log.clear();
    model.Hidden(&dialogA); // main again, then once more after the wait box
    EXPECT_EQ(log, (std::vector<std::string>{"main 2", "end 2", "main 3", "end 3"}));
    log.clear();
    model.Hidden(&mainWindow);
    model.Shown(&mainWindow); // the quiet box keeps the dialog that came before it
    EXPECT_EQ(log, (std::vector<std::string>{"main 4", "end 4", "B"}));
    log.clear();
    model.Hidden(&dialogB); // the quiet box alone: no second run
    EXPECT_EQ(log, (std::vector<std::string>{"main 5", "end 5"}));
    EXPECT_EQ(model.Active(), &mainWindow);
}

} // namespace
