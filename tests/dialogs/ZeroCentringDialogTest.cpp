// The zero-centring dialog: the correction from one reading, its limit, and every way out.
#include "DialogTestSupport.h"

#include "RecordingMessageBoxService.h"

#include "dialogs/Unit7.h"

#include <QPushButton>

#include <functional>

namespace app::testing {
namespace {

class ZeroCentringDialogTest : public DialogTest {
protected:
    RecordingMessageBoxService kinds;
    platform::ScopedMessageBoxService kindsInstalled{kinds};
    TForm7 form{main};
};

TEST_F(ZeroCentringDialogTest, EveryWayOutShowsItsBoxStoresItsCorrectionAndShowsTheMainWindow) {
    const QString stored = "Les nouveaux paramètres de centrage ont été pris en compte...";
    const QString refused = "Le décalage de l'aiguille rouge (NORD) dépasse 20°. Impossible "
                            "d'effectuer le centrage.";
    const QString kept = "Vos anciens paramètres sont conservés...";
    const auto activate = [](TForm7 &f) { f.BitBtn1->click(); };
    const struct {
        std::function<void(TForm7 &)> leave;
        int angle;
        const char *sign, *size; // the slots afterwards; before, "?" and "9"
        const char *kind;        // nullptr: no box
        QString text;
    } cases[] = {
        {activate, 200, "-", "20", "Information", stored},
        {activate, 201, "?", "9", "Warning", refused},
        {activate, 160, "+", "20", "Information", stored},
        {activate, 159, "?", "9", "Warning", refused},
        {activate, 181, "-", "1", "Information", stored},
        {activate, 179, "+", "1", "Information", stored},
        {activate, 180, "?", "9", nullptr, {}},
        {[](TForm7 &f) { f.BitBtn2->click(); }, 190, "?", "0", "Information",
         "Les paramètres de centrage ont été effacés."},
        {[](TForm7 &f) { f.BitBtn4->click(); }, 190, "?", "9", "Information", kept},
        {[](TForm7 &f) { f.close(); }, 190, "?", "9", "Information", kept},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.angle);
        main.settings.Set(settings::CentringSignSlot, "?");
        main.settings.Set(settings::CentringSlot, "9");
        kinds.boxes.clear();
        main.parametersChanged = 0;
        const int mainActivations = main.activations;
        form.ShowOnTop();
        EXPECT_FALSE(main.isVisible());
        EXPECT_EQ(main.parametersChanged, 1);

        main.lastRawAngle = c.angle;
        // A reading that arrives while the box is open changes nothing stored.
        kinds.whileShown = [&] { main.lastRawAngle = 0; };
        c.leave(form);

        EXPECT_EQ(main.settings.Get(settings::CentringSignSlot), c.sign);
        EXPECT_EQ(main.settings.Get(settings::CentringSlot), c.size);
        ASSERT_EQ(kinds.boxes.size(), c.kind != nullptr ? 1u : 0u);
        if (c.kind != nullptr) {
            EXPECT_EQ(kinds.boxes[0].kind, c.kind);
            EXPECT_EQ(kinds.boxes[0].text, c.text);
        }
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(main.activations, mainActivations + 1);
        EXPECT_EQ(main.parametersChanged, 1); // the main window's activation clears it
    }
}

} // namespace
} // namespace app::testing
