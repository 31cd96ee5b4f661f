// The graphics options dialog: its controls follow the needle, rose and hub slots, and "&OK"
// or the close box writes them back.
#include "DialogTestSupport.h"

#include "dialogs/Unit3.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <memory>
#include <string>

namespace app::testing {
namespace {

using settings::HubSlot;
using settings::NeedleLengthSlot;
using settings::NeedleWidthSlot;
using settings::RoseSlot;

constexpr int None = -1;

// The four slots in the order width, length, rose, hub.
using Slots = std::array<std::string, 4>;
constexpr std::array<settings::Slot, 4> kSlots{NeedleWidthSlot, NeedleLengthSlot, RoseSlot,
                                               HubSlot};

class GraphicsOptionsTest : public DialogTest {
protected:
    void SetSlots(const Slots &texts) {
        for (std::size_t i = 0; i < kSlots.size(); ++i)
            main.settings.Set(kSlots[i], texts[i]);
    }
    Slots GetSlots() const {
        Slots texts;
        for (std::size_t i = 0; i < kSlots.size(); ++i)
            texts[i] = main.settings.Get(kSlots[i]);
        return texts;
    }
    // The selected button of each frame (0 to 2), None when no button is selected.
    static std::array<int, 2> Selected(const TForm3 &form) {
        const std::array<std::array<QRadioButton *, 3>, 2> frames{
            {{form.RadioButton1, form.RadioButton2, form.RadioButton3},
             {form.RadioButton4, form.RadioButton5, form.RadioButton6}}};
        std::array<int, 2> selected{None, None};
        for (std::size_t frame = 0; frame < 2; ++frame)
            for (int i = 0; i < 3; ++i)
                if (frames[frame][i]->isChecked())
                    selected[frame] = i;
        return selected;
    }

    std::unique_ptr<TForm3> form = std::make_unique<TForm3>(main);
};

TEST_F(GraphicsOptionsTest, FirstOpeningShowsTheSlotsAndOkOrCloseBoxWritesThemBack) {
    struct Case {
        Slots texts;
        std::array<int, 2> selected; // thickness, length
        bool rose, hub;
        Slots stored;
    };
    const Case cases[] = {
        {{"Fine", "Longue", "ROSEON", "CERCLEOFF"},
         {0, 2},
         true,
         false,
         {"Fine", "Longue", "ROSEON", "CERCLEOFF"}},
        {{"Grande", "Courte", "ROSEOFF", "CERCLEON"},
         {2, 0},
         false,
         true,
         {"Grande", "Courte", "ROSEOFF", "CERCLEON"}},
        // "Moyenne" stands for the middle button in both frames.
        {{"Moyenne", "Moyenne", "ROSEON", "CERCLEON"},
         {1, 1},
         true,
         true,
         {"Moyenne", "Moyenne", "ROSEON", "CERCLEON"}},
        // Other texts select nothing: the needle slots stay as they were, the boxes are
        // written clear.
        {{"Fine ", "longue", "", "CERCLE ON"},
         {None, None},
         false,
         false,
         {"Fine ", "longue", "ROSEOFF", "CERCLEOFF"}},
    };
    for (const Case &c : cases) {
        for (const bool byCloseBox : {false, true}) {
            SCOPED_TRACE(c.texts[0] + "/" + c.texts[1] + (byCloseBox ? " close box" : " OK"));
            form = std::make_unique<TForm3>(main); // a first opening each time
            SetSlots(c.texts);
            const int activations = main.activations;
            form->ShowOnTop();
            EXPECT_EQ(Selected(*form), c.selected);
            EXPECT_EQ(form->CheckBox1->isChecked(), c.rose);
            EXPECT_EQ(form->CheckBox2->isChecked(), c.hub);

            if (byCloseBox)
                form->close();
            else
                form->BitBtn1->click();
            EXPECT_EQ(GetSlots(), c.stored);
            EXPECT_FALSE(form->isVisible());
            EXPECT_EQ(Active(), &main);
            EXPECT_EQ(main.activations, activations + 1);
        }
    }
    EXPECT_EQ(main.parametersChanged, 0);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.join('\n').toStdString();
}

TEST_F(GraphicsOptionsTest, UserChoicesAreStoredAndKeptWhenTheSlotsHoldOtherTexts) {
    SetSlots({"Grande", "Courte", "ROSEOFF", "CERCLEON"});
    form->ShowOnTop();
    form->BitBtn2->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, QStringLiteral("rub4"));
    EXPECT_TRUE(form->isVisible());

    // The user picks by the texts; the long needle's text is written in lower case.
    EXPECT_EQ(form->Label7->text(), QStringLiteral("longue"));
    for (QLabel *text : {form->Label1, form->Label7, form->Label8, form->Label9})
        ClickText(text);
    form->BitBtn1->click();
    const Slots chosen{"Fine", "Longue", "ROSEON", "CERCLEOFF"};
    EXPECT_EQ(GetSlots(), chosen);

    // Texts that are no keyword leave the controls as the user left them.
    SetSlots({"grande", "longue", "ROSEOFF ", "cercleon"});
    form->ShowOnTop();
    EXPECT_EQ(Selected(*form), (std::array<int, 2>{0, 2}));
    EXPECT_TRUE(form->CheckBox1->isChecked());
    EXPECT_FALSE(form->CheckBox2->isChecked());
    form->close();
    EXPECT_EQ(GetSlots(), chosen);
}

} // namespace
} // namespace app::testing
