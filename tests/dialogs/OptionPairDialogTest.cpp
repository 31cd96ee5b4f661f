// The port choice and menu style dialogs, through their real windows and the activation model.
#include "DialogTestSupport.h"

#include "dialogs/Unit2.h"
#include "dialogs/Unit4.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace app::testing {
namespace {

struct OptionPairCase {
    const char *name;
    std::function<std::unique_ptr<TOptionPairForm>(MainWindowAccess &)> make;
    int slot;
    const char *keyword1;
    const char *keyword2;
    const char *helpTopic;
    const char *nearMiss; // differs from a keyword only in a way that must not match
};

void PrintTo(const OptionPairCase &c, std::ostream *os) { *os << c.name; }

class OptionPairDialogTest : public DialogTest,
                             public ::testing::WithParamInterface<OptionPairCase> {
protected:
    OptionPairDialogTest() : form(GetParam().make(main)) {}

    // Opens the dialog as the main window's command does.
    void Open() { form->ShowOnTop(); }
    std::string Slot() const { return main.settings.Get(GetParam().slot); }
    void SetSlot(const std::string &text) { main.settings.Set(GetParam().slot, text); }

    std::unique_ptr<TOptionPairForm> form;
};

TEST_P(OptionPairDialogTest, OpeningSelectsTheSlotsButtonAndOkStoresTheOtherChoice) {
    SetSlot(GetParam().keyword2);
    const int mainActivations = main.activations;
    Open();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(Active(), form.get());
    EXPECT_FALSE(form->RadioButton1->isChecked());
    EXPECT_TRUE(form->RadioButton2->isChecked());

    // The user picks the first choice by its text, then "&OK".
    ClickText(form->Label1);
    EXPECT_TRUE(form->RadioButton1->isChecked());
    EXPECT_FALSE(form->RadioButton2->isChecked());
    form->BitBtn1->click();

    EXPECT_EQ(Slot(), GetParam().keyword1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // The main window is active again: its activation is what applies the choice.
    EXPECT_EQ(Active(), &main);
    EXPECT_EQ(main.activations, mainActivations + 1);
    EXPECT_EQ(main.parametersChanged, 0);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.join('\n').toStdString();
}

TEST_P(OptionPairDialogTest, AnyOtherTextSelectsNothingAtFirstOpeningAndOkLeavesTheSlotAlone) {
    // Keywords are matched exactly and case-sensitively.
    for (const std::string &text :
         {std::string(), std::string("3"), std::string(GetParam().nearMiss),
          std::string(GetParam().keyword1) + " "}) {
        form = GetParam().make(main); // a first opening each time
        SetSlot(text);
        Open();
        EXPECT_FALSE(form->RadioButton1->isChecked()) << text;
        EXPECT_FALSE(form->RadioButton2->isChecked()) << text;
        form->BitBtn1->click();
        EXPECT_EQ(Slot(), text);
        EXPECT_FALSE(form->isVisible());
    }
}

TEST_P(OptionPairDialogTest, SelectionIsKeptBetweenOpeningsWhenTheSlotMatchesNoButton) {
    SetSlot(GetParam().keyword1);
    Open();
    form->BitBtn1->click();
    SetSlot("autre");
    Open();
    EXPECT_TRUE(form->RadioButton1->isChecked());
    form->BitBtn1->click();
    EXPECT_EQ(Slot(), GetParam().keyword1);
}

TEST_P(OptionPairDialogTest, CloseBoxStoresLikeOk) {
    SetSlot(GetParam().keyword1);
    Open();
    form->RadioButton2->click();
    form->close();

    EXPECT_EQ(Slot(), GetParam().keyword2);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(Active(), &main);

    // Opened and closed again, the same way.
    Open();
    EXPECT_TRUE(form->RadioButton2->isChecked());
    form->RadioButton1->click();
    form->close();
    EXPECT_EQ(Slot(), GetParam().keyword1);
}

TEST_P(OptionPairDialogTest, HelpButtonAsksForTheTopicOfTheHelpFile) {
    Open();
    form->BitBtn2->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].first, platform::InstallDir::File("aide"));
    EXPECT_EQ(help.requests[0].second, GetParam().helpTopic);
    EXPECT_EQ(form->HelpFile(), platform::InstallDir::File("aide"));
    EXPECT_TRUE(form->isVisible()); // help does not leave the dialog
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, OptionPairDialogTest,
    ::testing::Values(
        OptionPairCase{"PortChoice",
                       [](MainWindowAccess &m) { return std::make_unique<TForm2>(m); },
                       settings::PortSlot, "1", "2", "rub2", "01"},
        OptionPairCase{"MenuStyle", [](MainWindowAccess &m) { return std::make_unique<TForm4>(m); },
                       settings::MenuStyleSlot, "NOUVEAU", "ANCIEN", "rub5", "Nouveau"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace app::testing
