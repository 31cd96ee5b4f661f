// "Appliquer" of the declination dialog's calculator in the whole program: it sets the
// dialog's controls as the user would, and leaving the dialog sends the module what they hold.
#include "AppTestSupport.h"

#include "dialogs/DeclinationCalculator.h"
#include "dialogs/Unit5.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace apptest {
namespace {

class PlaceDeclinationTest : public ProgramFixture {
protected:
    std::string Slot(settings::Slot slot) { return Main().Settings().Get(slot); }
};

TEST_F(PlaceDeclinationTest, AppliquerFromAWestAndAnEastResultReachesTheModule) {
    const struct {
        const char *place, *latitude, *longitude;
        const char *degrees, *range, *sign, *label5, *status, *message;
    } cases[] = {
        {"Tokyo", "35.6812", "139.7671", "8", "10", "+",
         "Déclinaison magnétique : 8° OUEST soit : -8°", " DM: -8°", "!0A+0B+8C&"},
        {"Paris", "48.8566", "2.3522", "2", "3", "-", "Déclinaison magnétique  : 2° EST soit : +2°",
         " DM: +2°", "!0A+0B-2C&"},
    };
    Start();
    LinkUp();
    NextReading();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.place);
        Main().Dclinaisonmagntique1->Click();
        auto *form = dynamic_cast<app::TForm5 *>(application->ActiveForm());
        ASSERT_NE(form, nullptr);
        app::TDeclinationCalculator &frame = *form->GroupBox3;
        frame.LatitudeEdit->setText(c.latitude);
        frame.LongitudeEdit->setText(c.longitude);
        frame.DateEdit->setDate(QDate(2026, 12, 7));
        frame.ComputeButton->click();
        frame.ApplyButton->click();

        // The controls, as the user would have set them, and the slot the bar writes at once.
        EXPECT_EQ(form->RadioButton1->isChecked(), *c.sign == '+'); // west
        EXPECT_EQ(form->Label4->text(), c.range);
        EXPECT_EQ(form->Label5->text(), QString::fromUtf8(c.label5));
        EXPECT_EQ(Slot(settings::DeclinationSlot), c.degrees);

        const std::string before = Written();
        form->BitBtn1->click();
        EXPECT_EQ(Slot(settings::DeclinationSignSlot), c.sign);
        EXPECT_EQ(Slot(settings::DeclinationRangeSlot), c.range);
        EXPECT_EQ(Written(), before + c.message);
        EXPECT_TRUE(ModuleCatchesUp([&] { return Module().LastParameters()->text == c.message; }));
        NextReading();
        EXPECT_EQ(Main().StatusText(app::StatusPanel::Declination), QString::fromUtf8(c.status));
    }
}

} // namespace
} // namespace apptest
