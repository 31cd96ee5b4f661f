// The three dialogs that change the module's parameters, in the whole program: every way out
// saves the settings file and sends the parameters, and the heading follows them.
#include "AppTestSupport.h"

#include "dialogs/Unit5.h"
#include "dialogs/Unit7.h"
#include "dialogs/Unit9.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace apptest {
namespace {

class ModuleDialogsTest : public ProgramFixture {
protected:
    // Runs the command and returns the dialog it made active.
    template <typename Form> Form &Open(platform::TMenuItem *command) {
        command->Click();
        auto *form = dynamic_cast<Form *>(application->ActiveForm());
        EXPECT_FALSE(Main().isVisible());
        return *form;
    }
    // The texts of the error boxes shown since the last call.
    QStringList TakeErrors() {
        QStringList errors;
        for (const auto &box : boxes.boxes)
            if (box.kind == QStringLiteral("Error"))
                errors << box.text;
        boxes.boxes.clear();
        return errors;
    }
    QByteArray SlotsAsFile() {
        QByteArray text;
        for (int slot = 1; slot <= settings::SettingsStore::SlotCount; ++slot)
            text += QByteArray::fromStdString(Main().Settings().Get(slot)) + "\r\n";
        return text;
    }
};

TEST_F(ModuleDialogsTest, EveryWayOutSavesTheSettingsAndSendsTheParameters) {
    // The module reads raw 120: LastRawAngle 190, ten degrees off north.
    moduleOptions.course = sim::FixedCourse(120);
    Start();
    LinkUp();
    NextReading();
    const struct {
        const char *name;
        std::function<void()> use; // opens the dialog, changes it, leaves it
        std::string message;       // what the module then receives
    } steps[] = {
        {"centring", [&] { Open<app::TForm7>(Main().CentrageduzroNORD1).BitBtn1->click(); },
         "!0A-10B+0C&"},
        {"Sortir", [&] { Open<app::TForm7>(Main().CentrageduzroNORD1).BitBtn4->click(); },
         "!0A-10B+0C&"},
        {"centring close box", [&] { Open<app::TForm7>(Main().CentrageduzroNORD1).close(); },
         "!0A-10B+0C&"},
        {"declination",
         [&] {
             auto &form = Open<app::TForm5>(Main().Dclinaisonmagntique1);
             form.RadioButton1->click();
             form.TrackBar1->setValue(4);
             form.BitBtn1->click();
         },
         "!0A-10B+4C&"},
        {"declination close box", [&] { Open<app::TForm5>(Main().Dclinaisonmagntique1).close(); },
         "!0A-10B+4C&"},
        {"hardware options",
         [&] {
             auto &form = Open<app::TForm9>(Main().Optionsmatrielles1);
             form.CheckBox1->click();
             form.CheckBox5->click();
             form.BitBtn1->click();
         },
         "!17A-10B+4C&"},
        {"hardware close box", [&] { Open<app::TForm9>(Main().Optionsmatrielles1).close(); },
         "!17A-10B+4C&"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        const std::string before = Written();
        step.use();
        EXPECT_TRUE(Main().isVisible());
        EXPECT_EQ(Main().ParametersChanged(), 0);
        EXPECT_EQ(Written(), before + step.message);
        EXPECT_TRUE(
            ModuleCatchesUp([&] { return Module().LastParameters()->text == step.message; }));
        EXPECT_EQ(SettingsFile(), SlotsAsFile());
    }
    // Centred on north, then 4 degrees west: the sum is 360 + 4.
    NextReading();
    EXPECT_EQ(Main().Heading().HeadingSum(), 364);
    EXPECT_EQ(Main().Heading().CapAngle(), 356);
    EXPECT_EQ(Main().StatusText(app::StatusPanel::Declination), " DM: -4°");
}

TEST_F(ModuleDialogsTest, APastedLineBreakIsRefusedAndEveryLineSurvivesARestart) {
    Start();
    LinkUp();
    const QByteArray file = SettingsFile();
    auto &form = Open<app::TForm5>(Main().Dclinaisonmagntique1);
    QGuiApplication::clipboard()->setText(QStringLiteral("5\nOFFSON"));
    form.ComboBox1->lineEdit()->selectAll();
    form.ComboBox1->lineEdit()->paste();
    ASSERT_EQ(form.ComboBox1->currentText(), QStringLiteral("5\nOFFSON"));
    form.BitBtn1->click();
    EXPECT_TRUE(TakeErrors().join(QString()).contains(QStringLiteral("saut de ligne")));
    form.BitBtn1->click(); // the field shows the range that stays
    ASSERT_TRUE(Main().isVisible());

    Restart();
    EXPECT_EQ(SlotsAsFile(), file);
}

TEST_F(ModuleDialogsTest, AnOptionByteBeyondAByteIsReportedOnceAndNothingIsSent) {
    Start();
    Main().Settings().Set(settings::HardwareOptionsSlot, "256"); // as a hand-edited file says
    TakeErrors();
    Main().ToolButton1->Action()->trigger(); // the link starts, and sends its parameters
    const QStringList errors = TakeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("ligne 18"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("« 256 »")));
    EXPECT_EQ(Written(), "");
}

} // namespace
} // namespace apptest
