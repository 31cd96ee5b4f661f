// The hardware options dialog: the option byte decoded into the boxes and rebuilt from them.
#include "DialogTestSupport.h"

#include "dialogs/Unit9.h"
#include "platform/app/Errors.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace app::testing {
namespace {

const QString LcdHeading = "Affichage CAP sur LCD";
const QString LcdNeedle = "Affichage AIGUILLE ROUGE sur LCD";

class HardwareOptionsDialogTest : public DialogTest {
protected:
    void Open(const char *slot) {
        main.settings.Set(settings::HardwareOptionsSlot, slot);
        form->ShowOnTop();
    }
    std::string Slot() const { return main.settings.Get(settings::HardwareOptionsSlot); }
    int Ticked() const {
        int bits = 0;
        for (int bit = 0; bit < TForm9::OptionBits; ++bit)
            bits |= form->Box(bit)->isChecked() ? 1 << bit : 0;
        return bits;
    }
    void ExpectShown(bool lcdChoice, const QString &lcdText, const QString &mains) const {
        EXPECT_EQ(form->CheckBox6->isEnabled(), lcdChoice);
        EXPECT_EQ(form->Label8->isEnabled(), lcdChoice);
        EXPECT_EQ(form->Label8->text(), lcdText);
        EXPECT_EQ(form->Label1->text(), mains);
    }

    std::unique_ptr<TForm9> form = std::make_unique<TForm9>(main);
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
        // Remainders of -1 leave their boxes alone; no box changes, nothing is written.
        {"-5", 0, false, LcdNeedle, "F= 50Hz", "-5"},
        {"00", 0, false, LcdNeedle, "F= 50Hz", "00"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.slot);
        main.hardwareOptions = 0;
        form = std::make_unique<TForm9>(main);
        Open(c.slot);
        EXPECT_FALSE(main.isVisible());
        EXPECT_EQ(main.parametersChanged, 1);
        EXPECT_EQ(Ticked(), c.ticked);
        EXPECT_EQ(main.hardwareOptions, c.ticked);
        ExpectShown(c.lcdChoice, c.lcdText, c.mains);
        EXPECT_EQ(Slot(), c.stored);
        form->close();
        EXPECT_TRUE(main.isVisible());
    }
}

TEST_F(HardwareOptionsDialogTest, EachBoxChangesItsBitAndTheSlotAtOnceAndLaterOpeningsDecodeAgain) {
    Open("33");
    // No LCD: its content cannot be chosen, but the choice and its bit stay.
    form->CheckBox1->click();
    EXPECT_TRUE(form->CheckBox6->isChecked());
    ExpectShown(false, LcdHeading, "F= 50Hz");
    EXPECT_EQ(Slot(), "32");
    form->CheckBox5->click();
    form->CheckBox1->click();
    form->CheckBox6->click();
    EXPECT_EQ(Slot(), "17");
    ExpectShown(true, LcdNeedle, "F= 60Hz");
    form->BitBtn1->click();

    // Later openings find the boxes as stored; -1 leaves bit 0 ticked and clears the others.
    Open("17");
    EXPECT_EQ(Slot(), "17");
    form->BitBtn1->click();
    Open("-1");
    EXPECT_EQ(Ticked(), 1);
    EXPECT_EQ(Slot(), "1");
    ExpectShown(true, LcdNeedle, "F= 50Hz");
    form->BitBtn1->click();

    // Not an integer: the activation stops before any box changes, until the dialog is left.
    Open("x");
    EXPECT_EQ(boxes.shown, QStringList{platform::EConvertError::NotAnInteger("x").Message()});
    EXPECT_EQ(Ticked(), 1);
    EXPECT_EQ(Slot(), "x");
    EXPECT_EQ(Active(), form.get());
    EXPECT_FALSE(main.isVisible());
    form->BitBtn1->click();
    EXPECT_EQ(Active(), &main);
}

} // namespace
} // namespace app::testing
