// The three dialogs that change the module's parameters, in the whole program: every way out
// saves the settings file and sends the parameters, and the module and the display follow.
#include "AppTestSupport.h"

#include "dialogs/Unit5.h"
#include "dialogs/Unit7.h"
#include "dialogs/Unit9.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace apptest {
namespace {

// The module reads raw 120: LastRawAngle 190, ten degrees east of north.
constexpr int FixedRaw = 120;

class ModuleDialogs : public ProgramFixture {
public:
    using ProgramFixture::Main;

    // Runs the command and returns the dialog it made active.
    template <typename Form> Form &Open(platform::TMenuItem *command) {
        command->Click();
        auto *form = dynamic_cast<Form *>(application->ActiveForm());
        EXPECT_NE(form, nullptr);
        EXPECT_FALSE(Main().isVisible());
        EXPECT_EQ(Main().ParametersChanged(), 1);
        return *form;
    }

    // The next reading, processed.
    void NextReading() {
        const int delivered = time.RxDeliveries();
        time.Advance(moduleOptions.readingPeriod);
        ASSERT_TRUE(PumpUntil([&] { return time.RxDeliveries() > delivered; }));
    }

    QByteArray SlotsAsFile() {
        QByteArray text;
        for (int slot = 1; slot <= settings::SettingsStore::SlotCount; ++slot)
            text += QByteArray::fromStdString(Main().Settings().Get(slot)) + "\r\n";
        return text;
    }
};

struct WayOut {
    const char *name;
    std::function<void(ModuleDialogs &)> use; // opens the dialog, changes it, leaves it
    std::string message;                      // what the module then receives
};

void PrintTo(const WayOut &w, std::ostream *os) { *os << w.name; }

class ModuleDialogsTest : public ModuleDialogs, public ::testing::WithParamInterface<WayOut> {};

TEST_P(ModuleDialogsTest, EveryWayOutSavesTheSettingsAndSendsTheParameters) {
    moduleOptions.course = sim::FixedCourse(FixedRaw);
    Start();
    LinkUp();
    NextReading();
    const std::string before = Written();

    GetParam().use(*this);

    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(application->ActiveForm(), &Main());
    EXPECT_EQ(Main().ParametersChanged(), 0);
    EXPECT_EQ(Written(), before + GetParam().message);
    EXPECT_TRUE(ModuleCatchesUp([&] {
        return Module().LastParameters() && Module().LastParameters()->text == GetParam().message;
    }));
    EXPECT_EQ(SettingsFile(), SlotsAsFile());
    EXPECT_EQ(Main().StatusText(0), "");
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ModuleDialogsTest,
    ::testing::Values(WayOut{"DeclinationOk",
                             [](ModuleDialogs &t) {
                                 auto &form = t.Open<app::TForm5>(t.Main().Dclinaisonmagntique1);
                                 form.RadioButton1->click();
                                 form.TrackBar1->setValue(4);
                                 form.BitBtn1->click();
                             },
                             "!0A+0B+4C&"},
                      WayOut{"DeclinationCloseBox",
                             [](ModuleDialogs &t) {
                                 auto &form = t.Open<app::TForm5>(t.Main().Dclinaisonmagntique1);
                                 form.RadioButton2->click();
                                 form.TrackBar1->setValue(3);
                                 form.close();
                             },
                             "!0A+0B-3C&"},
                      WayOut{"CentringActivate",
                             [](ModuleDialogs &t) {
                                 t.Open<app::TForm7>(t.Main().CentrageduzroNORD1).BitBtn1->click();
                             },
                             "!0A-10B+0C&"},
                      WayOut{"CentringRaz",
                             [](ModuleDialogs &t) {
                                 t.Open<app::TForm7>(t.Main().CentrageduzroNORD1).BitBtn2->click();
                             },
                             "!0A+0B+0C&"},
                      WayOut{"CentringSortir",
                             [](ModuleDialogs &t) {
                                 t.Open<app::TForm7>(t.Main().CentrageduzroNORD1).BitBtn4->click();
                             },
                             "!0A+0B+0C&"},
                      WayOut{"CentringCloseBox",
                             [](ModuleDialogs &t) {
                                 t.Open<app::TForm7>(t.Main().CentrageduzroNORD1).close();
                             },
                             "!0A+0B+0C&"},
                      WayOut{"HardwareOk",
                             [](ModuleDialogs &t) {
                                 auto &form = t.Open<app::TForm9>(t.Main().Optionsmatrielles1);
                                 form.CheckBox1->click();
                                 form.CheckBox5->click();
                                 form.BitBtn1->click();
                             },
                             "!17A+0B+0C&"},
                      WayOut{"HardwareCloseBox",
                             [](ModuleDialogs &t) {
                                 auto &form = t.Open<app::TForm9>(t.Main().Optionsmatrielles1);
                                 form.CheckBox4->click();
                                 form.close();
                             },
                             "!8A+0B+0C&"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ModuleDialogs, CentringBringsTheHeadingToNorthAndTheDeclinationMovesIt) {
    moduleOptions.course = sim::FixedCourse(FixedRaw);
    Start();
    LinkUp();
    NextReading();
    ASSERT_EQ(Main().Heading().LastRawAngle(), 190);

    Open<app::TForm7>(Main().CentrageduzroNORD1).BitBtn1->click();
    NextReading();
    EXPECT_EQ(Main().Heading().CapAngle(), 0);
    const int centredSum = Main().Heading().HeadingSum();

    auto &declination = Open<app::TForm5>(Main().Dclinaisonmagntique1);
    declination.RadioButton1->click();
    declination.TrackBar1->setValue(4);
    declination.BitBtn1->click();
    NextReading();
    EXPECT_EQ(Main().StatusText(1), " DM: -4°");
    EXPECT_EQ(Main().Heading().HeadingSum(), centredSum + 4);
}

} // namespace
} // namespace apptest
