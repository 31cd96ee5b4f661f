// Every dialog window: caption, fixed client size, title-bar buttons, place and help file.
#include "DialogTestSupport.h"

#include "dialogs/Unit10.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit7.h"
#include "dialogs/Unit8.h"
#include "dialogs/Unit9.h"

#include <QGuiApplication>
#include <QScreen>

#include <functional>
#include <memory>

namespace app::testing {
namespace {

struct FrameCase {
    std::function<std::unique_ptr<TDialogForm>(MainWindowAccess &)> make;
    QString caption;
    QSize client;
    bool hasHelp;
};

template <typename Form> std::function<std::unique_ptr<TDialogForm>(MainWindowAccess &)> Maker() {
    return [](MainWindowAccess &m) { return std::make_unique<Form>(m); };
}

class FrameTest : public DialogTest {};

TEST_F(FrameTest, CaptionsClientSizesAndHelpFiles) {
    const FrameCase cases[] = {
        // The port choice dialog is wider by its devices frame, beside its option pair.
        {Maker<TForm2>(), "Port série RS232", {561, 112}, true},
        {Maker<TForm3>(), "Options graphiques", {367, 169}, true},
        {Maker<TForm4>(), "Types de menus déroulant", {248, 128}, true},
        // The declination dialog is wider by its calculator frame, beside its own controls.
        {Maker<TForm5>(), "Déclinaison magnétique", {813, 336}, true},
        {Maker<TForm7>(), "Centrage du zéro (NORD)", {441, 463}, true},
        {Maker<TForm8>(), "Options logicielles", {331, 157}, true},
        {Maker<TForm9>(), "Options matérielles", {289, 183}, true},
        {Maker<TForm10>(), "A propos de...", {426, 544}, false},
    };
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    for (const FrameCase &c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        std::unique_ptr<TDialogForm> form = c.make(main);
        EXPECT_EQ(form->windowTitle(), c.caption);
        EXPECT_EQ(form->size(), c.client);
        EXPECT_EQ(form->minimumSize(), c.client);
        EXPECT_EQ(form->maximumSize(), c.client);
        const Qt::WindowFlags flags = form->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_LE(std::abs(form->geometry().center().x() - desktop.center().x()), 1);
        EXPECT_LE(std::abs(form->geometry().center().y() - desktop.center().y()), 1);
        EXPECT_EQ(form->HelpFile().isEmpty(), !c.hasHelp);
        EXPECT_TRUE(application.Model().IsRegistered(form.get()));
        EXPECT_FALSE(form->isVisible());

        // Shown above all windows it is active; its close box hides it and the main window
        // takes over.
        form->ShowOnTop();
        EXPECT_EQ(Active(), form.get());
        form->close();
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(Active(), &main);
    }
}

} // namespace
} // namespace app::testing
