// The hardware options dialog: the option byte decoded into the boxes and rebuilt from them.
#include "DialogTestSupport.h"

#include "dialogs/Unit9.h"
#include "platform/Errors.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace app::testing {
namespace {

const QString LcdHeading = "Affichage CAP sur LCD";
const QString LcdNeedle = "Affichage AIGUILLE ROUGE sur LCD";

// The ticked boxes as bits.
int Ticked(const TForm9 &form) {
    int bits = 0;
    for (int bit = 0; bit < TForm9::OptionBits; ++bit)
        bits |= form.Box(bit)->isChecked() ? 1 << bit : 0;
    return bits;
}

void ExpectShown(const TForm9 &form, bool lcdChoice, const QString &lcdText, const QString &mains) {
    EXPECT_EQ(form.CheckBox6->isEnabled(), lcdChoice);
    EXPECT_EQ(form.Label8->isEnabled(), lcdChoice);
    EXPECT_EQ(form.Label8->text(), lcdText);
    EXPECT_EQ(form.Label1->text(), mains);
}

class HardwareOptionsDialogTest : public DialogTest {
protected:
    void Open(const char *slot) {
        main.settings.Set(settings::HardwareOptionsSlot, slot);
        main.parametersChanged = 0;
        form.ShowOnTop();
        EXPECT_FALSE(main.isVisible());
        EXPECT_EQ(main.parametersChanged, 1);
    }
    std::string Slot() const { return main.settings.Get(settings::HardwareOptionsSlot); }
    TForm9 form{main};
};

TEST_F(HardwareOptionsDialogTest, FirstOpeningDecodesBitsZeroToSevenOfTheSlot) {
    const struct {
        const char *slot;
        int ticked;
        bool lcdChoice;
        QString lcdText, mains;
        const char *stored; // the slot afterwards
    } cases[] = {
        {"33", 0b100001, true, LcdHeading, "F= 50Hz", "33"},
        {"16", 0b010000, false, LcdNeedle, "F= 60Hz", "16"},
        // Bits above 7 are dropped as soon as a box changes.
        {"300", 0b101100, false, LcdHeading, "F= 50Hz", "44"},
        {"255", 0xff, true, LcdHeading, "F= 60Hz", "255"},
        // Remainders of -1 leave their boxes alone; nothing changes, nothing is written.
        {"-5", 0, false, LcdNeedle, "F= 50Hz", "-5"},
        {"00", 0, false, LcdNeedle, "F= 50Hz", "00"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.slot);
        main.hardwareOptions = 0;
        TForm9 fresh(main);
        main.settings.Set(settings::HardwareOptionsSlot, c.slot);
        fresh.ShowOnTop();
        EXPECT_FALSE(main.isVisible());

        EXPECT_EQ(Ticked(fresh), c.ticked);
        EXPECT_EQ(main.hardwareOptions, c.ticked);
        ExpectShown(fresh, c.lcdChoice, c.lcdText, c.mains);
        EXPECT_EQ(Slot(), c.stored);
        EXPECT_FALSE(fresh.CheckBox7->isVisibleTo(&fresh));
        EXPECT_FALSE(fresh.CheckBox8->isVisibleTo(&fresh));
        fresh.BitBtn1->click();
        EXPECT_TRUE(main.isVisible());
    }
}

TEST_F(HardwareOptionsDialogTest, LaterOpeningsFindTheBoxesInTheirStateAndNegativeBitsKeepThem) {
    Open("255");
    form.BitBtn1->click();
    Open("255");
    EXPECT_EQ(Slot(), "255");
    form.BitBtn1->click();
    // -1: bit 0 gives -1 and is left ticked, every other bit is cleared.
    Open("-1");
    EXPECT_EQ(Ticked(form), 1);
    EXPECT_EQ(Slot(), "1");
    ExpectShown(form, true, LcdNeedle, "F= 50Hz");
}

TEST_F(HardwareOptionsDialogTest, EachBoxChangesItsBitAndTheSlotAtOnce) {
    Open("33");
    // No LCD: its content cannot be chosen, but the choice and its bit stay.
    form.CheckBox1->click();
    EXPECT_TRUE(form.CheckBox6->isChecked());
    ExpectShown(form, false, LcdHeading, "F= 50Hz");
    EXPECT_EQ(Slot(), "32");
    form.CheckBox5->click();
    EXPECT_EQ(Slot(), "48");
    ExpectShown(form, false, LcdHeading, "F= 60Hz");
    form.CheckBox1->click();
    form.CheckBox6->click();
    EXPECT_EQ(Slot(), "17");
    EXPECT_EQ(main.hardwareOptions, 17);
    ExpectShown(form, true, LcdNeedle, "F= 60Hz");

    const std::function<void(TForm9 &)> waysOut[] = {[](TForm9 &f) { f.BitBtn1->click(); },
                                                     [](TForm9 &f) { f.close(); }};
    for (const auto &leave : waysOut) {
        const int mainActivations = main.activations;
        if (!form.isVisible())
            Open("17");
        leave(form);
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(Active(), &main);
        EXPECT_EQ(main.activations, mainActivations + 1);
        EXPECT_EQ(Slot(), "17");
    }
    Open("17");
    form.BitBtn2->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, "rub10");
}

TEST_F(HardwareOptionsDialogTest, ASlotThatIsNoIntegerStopsTheActivationUntilTheDialogIsLeft) {
    Open("33");
    form.BitBtn1->click();
    Open("x");
    EXPECT_EQ(boxes.shown, QStringList{platform::EConvertError::NotAnInteger("x").Message()});
    EXPECT_EQ(Ticked(form), 0b100001);
    EXPECT_EQ(Slot(), "x");
    EXPECT_EQ(Active(), &form);
    form.BitBtn1->click();
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(Active(), &main);
}

} // namespace
} // namespace app::testing
