// The zero-centring dialog: the correction from one reading, its limit, and every way out.
#include "DialogTestSupport.h"

#include "RecordingMessageBoxService.h"

#include "dialogs/Unit7.h"

#include <QPushButton>

#include <functional>

namespace app::testing {
namespace {

const QString NewCentring = "Les nouveaux paramètres de centrage ont été pris en compte...";
const QString Refused =
    "Le décalage de l'aiguille rouge (NORD) dépasse 20°. Impossible d'effectuer le centrage.";
const QString Cleared = "Les paramètres de centrage ont été effacés.";
const QString Kept = "Vos anciens paramètres sont conservés...";

class ZeroCentringDialogTest : public DialogTest {
protected:
    void SetCentring(const char *sign, const char *size) {
        main.settings.Set(settings::CentringSignSlot, sign);
        main.settings.Set(settings::CentringSlot, size);
    }
    std::string Sign() const { return main.settings.Get(settings::CentringSignSlot); }
    std::string Size() const { return main.settings.Get(settings::CentringSlot); }
    void Open() {
        main.parametersChanged = 0;
        form.ShowOnTop();
        ASSERT_FALSE(main.isVisible());
        ASSERT_EQ(main.parametersChanged, 1);
    }
    void ExpectLeftForTheMainWindow() const {
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(Active(), &main);
        EXPECT_EQ(main.parametersChanged, 1); // the main window's activation clears it
    }

    RecordingMessageBoxService kinds;
    platform::ScopedMessageBoxService kindsInstalled{kinds};
    TForm7 form{main};
};

TEST_F(ZeroCentringDialogTest, CorrectionFromOneReadingWithTheInclusiveLimit) {
    const struct {
        int angle;
        const char *sign, *size; // nullptr: unchanged
        const char *kind;        // nullptr: no box
    } cases[] = {
        {200, "-", "20", "Information"},  {201, nullptr, nullptr, "Warning"},
        {160, "+", "20", "Information"},  {159, nullptr, nullptr, "Warning"},
        {181, "-", "1", "Information"},   {179, "+", "1", "Information"},
        {180, nullptr, nullptr, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.angle);
        SetCentring("?", "9");
        kinds.boxes.clear();
        Open();
        main.lastRawAngle = c.angle;
        // A reading that arrives while the box is open changes nothing stored.
        kinds.whileShown = [&] { main.lastRawAngle = 0; };
        form.BitBtn1->click();
        kinds.whileShown = {};

        EXPECT_EQ(Sign(), c.sign != nullptr ? c.sign : "?");
        EXPECT_EQ(Size(), c.size != nullptr ? c.size : "9");
        if (c.kind == nullptr) {
            EXPECT_TRUE(kinds.boxes.empty());
        } else {
            ASSERT_EQ(kinds.boxes.size(), 1u);
            EXPECT_EQ(kinds.boxes[0].kind, c.kind);
            EXPECT_EQ(kinds.boxes[0].text, c.sign != nullptr ? NewCentring : Refused);
        }
        ExpectLeftForTheMainWindow();
    }
}

TEST_F(ZeroCentringDialogTest, ClearingLeavingAndTheCloseBoxEachShowTheirNotice) {
    const struct {
        const char *name;
        std::function<void(TForm7 &)> leave;
        QString notice;
        const char *size;
    } cases[] = {
        {"RAZ", [](TForm7 &f) { f.BitBtn2->click(); }, Cleared, "0"},
        {"Sortir", [](TForm7 &f) { f.BitBtn4->click(); }, Kept, "12"},
        {"close box", [](TForm7 &f) { f.close(); }, Kept, "12"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SetCentring("-", "12");
        kinds.boxes.clear();
        const int mainActivations = main.activations;
        Open();
        c.leave(form);

        ASSERT_EQ(kinds.boxes.size(), 1u);
        EXPECT_EQ(kinds.boxes[0].kind, "Information");
        EXPECT_EQ(kinds.boxes[0].text, c.notice);
        EXPECT_EQ(Sign(), "-");
        EXPECT_EQ(Size(), c.size);
        ExpectLeftForTheMainWindow();
        EXPECT_EQ(main.activations, mainActivations + 1);
    }
    Open();
    form.BitBtn3->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, "rub7");
    EXPECT_TRUE(form.isVisible());
}

} // namespace
} // namespace app::testing
