// The graphics and software options dialogs: their controls follow the slots' keywords, other
// texts leave the controls as they were, and "&OK" or the close box writes the keywords back.
#include "DialogTestSupport.h"

#include "dialogs/Unit3.h"
#include "dialogs/Unit8.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <string>

namespace app::testing {
namespace {

using settings::Slot;

class PreferenceDialogsTest : public DialogTest {
protected:
    template <std::size_t N> void SetSlots(const std::array<Slot, N> &which, const auto &texts) {
        for (std::size_t i = 0; i < N; ++i)
            main.settings.Set(which[i], texts[i]);
    }
    template <std::size_t N> std::array<std::string, N> Slots(const std::array<Slot, N> &which) {
        std::array<std::string, N> texts;
        for (std::size_t i = 0; i < N; ++i)
            texts[i] = main.settings.Get(which[i]);
        return texts;
    }
};

// Width, length, rose, hub.
using GraphicsTexts = std::array<std::string, 4>;
constexpr std::array<Slot, 4> kGraphicsSlots{settings::NeedleWidthSlot, settings::NeedleLengthSlot,
                                             settings::RoseSlot, settings::HubSlot};

TEST_F(PreferenceDialogsTest, GraphicsOptionsRoundTrip) {
    TForm3 form(main);
    using Button = QRadioButton *TForm3::*;
    const struct {
        GraphicsTexts texts;
        Button width, length;
    } cases[] = {
        {{"Fine", "Longue", "ROSEON", "CERCLEOFF"}, &TForm3::RadioButton1, &TForm3::RadioButton6},
        {{"Grande", "Courte", "ROSEOFF", "CERCLEON"}, &TForm3::RadioButton3, &TForm3::RadioButton4},
        {{"Moyenne", "Moyenne", "ROSEON", "CERCLEON"},
         &TForm3::RadioButton2,
         &TForm3::RadioButton5},
    };
    for (const auto &c : cases) {
        SetSlots(kGraphicsSlots, c.texts);
        form.ShowOnTop();
        EXPECT_TRUE((form.*c.width)->isChecked()) << c.texts[0];
        EXPECT_TRUE((form.*c.length)->isChecked()) << c.texts[1];
        EXPECT_EQ(form.CheckBox1->isChecked(), c.texts[2] == "ROSEON");
        EXPECT_EQ(form.CheckBox2->isChecked(), c.texts[3] == "CERCLEON");
        form.BitBtn1->click();
        EXPECT_EQ(Slots(kGraphicsSlots), c.texts);
        EXPECT_EQ(Active(), &main);
    }
    EXPECT_EQ(form.Label7->text(), QStringLiteral("longue"));
    EXPECT_EQ(main.parametersChanged, 0);
}

TEST_F(PreferenceDialogsTest, GraphicsOptionsOtherTextsLeaveTheControlsAsTheyWere) {
    TForm3 form(main);
    // At the first opening nothing is selected: the needle slots stay, the boxes write OFF.
    SetSlots(kGraphicsSlots, GraphicsTexts{"Fine ", "longue", "", "CERCLE ON"});
    form.ShowOnTop();
    form.close();
    EXPECT_EQ(Slots(kGraphicsSlots), (GraphicsTexts{"Fine ", "longue", "ROSEOFF", "CERCLEOFF"}));

    form.ShowOnTop();
    form.BitBtn2->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, QStringLiteral("rub4"));
    for (QLabel *text : {form.Label1, form.Label7, form.Label8})
        ClickText(text);
    form.BitBtn1->click();
    const GraphicsTexts chosen{"Fine", "Longue", "ROSEON", "CERCLEOFF"};
    EXPECT_EQ(Slots(kGraphicsSlots), chosen);

    SetSlots(kGraphicsSlots, GraphicsTexts{"grande", "longue", "ROSEOFF ", "cercleon"});
    form.ShowOnTop();
    form.close();
    EXPECT_EQ(Slots(kGraphicsSlots), chosen);
}

TEST_F(PreferenceDialogsTest, SoftwareOptionsEachBoxStandsForItsOwnSlot) {
    TForm8 form(main);
    // Top to bottom, as on screen.
    const std::array<QLabel *, 6> texts{form.Label1, form.Label2, form.Label3,
                                        form.Label4, form.Label5, form.Label6};
    const std::array<QCheckBox *, 6> boxes{form.CheckBox1, form.CheckBox6, form.CheckBox4,
                                           form.CheckBox5, form.CheckBox2, form.CheckBox3};
    const std::array<Slot, 6> switches{settings::ConnectWarningSlot, settings::StandaloneNoticeSlot,
                                       settings::DegreesDisplaySlot, settings::DirectionDisplaySlot,
                                       settings::BalloonSlot,        settings::SoundSlot};
    const std::array<std::string, 6> on{"ONAVERTI", "ONAVERTI2", "ONCAP",
                                        "ONORIENT", "ONINFO",    "ONSON"};
    // Every slot OFF but the one of row `ticked` (none for -1).
    const auto keywords = [&](int ticked) {
        std::array<std::string, 6> texts;
        for (int i = 0; i < 6; ++i)
            texts[i] = i == ticked ? on[i] : "OFF" + on[i].substr(2);
        return texts;
    };

    // At the first opening the boxes are clear: empty slots are written OFF.
    form.ShowOnTop();
    form.BitBtn1->click();
    EXPECT_EQ(Slots(switches), keywords(-1));

    for (int i = 0; i < 6; ++i) {
        SetSlots(switches, keywords(i));
        form.ShowOnTop();
        for (int row = 0; row < 6; ++row)
            EXPECT_EQ(boxes[row]->isChecked(), row == i) << on[row];
        // The user clears this row and ticks the next one by their texts.
        ClickText(texts[i]);
        ClickText(texts[(i + 1) % 6]);
        if (i % 2 == 0)
            form.BitBtn1->click();
        else
            form.close();
        EXPECT_EQ(Slots(switches), keywords((i + 1) % 6));
    }

    // Near misses of the keywords leave the boxes as they were (the first one ticked) and are
    // replaced by keywords.
    SetSlots(switches,
             std::array<std::string, 6>{"onaverti", "ONAVERTI2 ", "", "onorient", "ONINFO ", ""});
    form.ShowOnTop();
    form.BitBtn2->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, QStringLiteral("rub9"));
    form.close();
    EXPECT_EQ(Slots(switches), keywords(0));
    EXPECT_EQ(main.parametersChanged, 0);
}

// The slots are read when the dialog is shown: going to another window and back keeps what
// the user changed, and only a new opening shows the slots again.
TEST_F(PreferenceDialogsTest, AnEditSurvivesTheFocusGoingAwayAndBack) {
    TForm3 graphics(main);
    TForm8 software(main);
    const struct {
        TPreferenceForm *form;
        QCheckBox *box;
        Slot slot;
        const char *on;
    } cases[] = {
        {&software, software.CheckBox3, settings::SoundSlot, "ONSON"},
        {&graphics, graphics.CheckBox1, settings::RoseSlot, "ROSEON"},
    };
    for (const auto &c : cases) {
        main.settings.Set(c.slot, c.on);
        c.form->ShowOnTop();
        ASSERT_TRUE(c.box->isChecked()) << c.on;
        c.box->click();                                        // the user clears it
        emit qApp->focusWindowChanged(main.windowHandle());    // clicks the main window
        emit qApp->focusWindowChanged(c.form->windowHandle()); // and the dialog again
        ASSERT_EQ(Active(), c.form);
        EXPECT_FALSE(c.box->isChecked()) << c.on;
        c.form->BitBtn1->click();
        EXPECT_NE(main.settings.Get(c.slot), c.on);

        main.settings.Set(c.slot, c.on);
        c.form->ShowOnTop(); // a new opening
        EXPECT_TRUE(c.box->isChecked()) << c.on;
        c.form->BitBtn1->click();
    }
}

} // namespace
} // namespace app::testing
