// The port choice dialog's devices: where COM1 and COM2 lead, the devices offered, the link
// written by "&OK", and devices plugged and pulled while the dialog is open.
#include "DialogTestSupport.h"
#include "PumpEvents.h"

#include "dialogs/Unit2.h"
#include "support/FakeDeviceTree.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace app::testing {
namespace {

namespace fs = std::filesystem;

const std::string kAdapter = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A5-if00-port0";

class PortChoiceDialogTest : public DialogTest {
protected:
    PortChoiceDialogTest() {
        tree.AddUart("ttyS0", 4);
        tree.AddUart("ttyS1", 0);
        tree.AddUsb("ttyUSB0", "1-1", "FTDI", "FT232R USB UART");
        tree.AddStableName("usb-FTDI_FT232R_USB_UART_A5-if00-port0", "ttyUSB0");
        form.SetDeviceRoot(tree.Root());
    }

    fs::path Entry(const char *port) const {
        return fs::path(installDir.path().toStdString()) / port;
    }
    // The drop-down's items, one a line.
    static std::string Items(const QComboBox *combo) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items.join('\n').toStdString();
    }

    testsupport::FakeDeviceTree tree;
    TForm2 form{main};
};

// The option pair stands where the dialog's layout puts it, and the devices frame beside it,
// inside the window and clear of every control of the pair.
TEST_F(PortChoiceDialogTest, OptionPairStandsWhereItsLayoutSaysAndTheDevicesBesideIt) {
    const TOptionPairLayout layout = TForm2::Layout();
    EXPECT_EQ(form.size(), layout.client);
    const QRect devices = form.GroupBox2->geometry();
    EXPECT_TRUE(form.rect().contains(devices));
    struct Placed {
        const char *name;
        QRect shown;
        QRect laidOut;
        bool inFrame; // the option buttons are placed in the frame, the rest in the window
    };
    const QPoint frame = form.GroupBox1->pos();
    const Placed placed[] = {
        {"frame", form.GroupBox1->geometry(), layout.group, false},
        {"help", form.BitBtn2->geometry(), layout.helpButton, false},
        {"OK", form.BitBtn1->geometry(), layout.okButton, false},
        {"COM 1", form.RadioButton1->geometry(), QRect(layout.option1, form.RadioButton1->size()),
         true},
        {"COM2", form.RadioButton2->geometry(), QRect(layout.option2, form.RadioButton2->size()),
         true},
    };
    for (const Placed &p : placed) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.shown, p.laidOut);
        const QRect inWindow = p.inFrame ? p.shown.translated(frame) : p.shown;
        EXPECT_FALSE(inWindow.intersects(devices));
        EXPECT_LE(inWindow.right(), devices.left());
    }
}

TEST_F(PortChoiceDialogTest, ShowsWhereEachNameLeadsAndOkLinksTheChosenDevice) {
    const std::string gone = "/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_"
                             "Controller_D-if00-port0";
    fs::create_symlink(gone, Entry("COM2"));
    form.ShowOnTop();

    // COM1 has no link: the standard port, present. COM2's adapter was pulled.
    EXPECT_EQ(form.Label3->text(), QStringLiteral("ttyS0"));
    EXPECT_EQ(form.Label4->text(), QStringLiteral("absent"));
    EXPECT_EQ(Items(form.ComboBox1), "/dev/ttyUSB0 (FTDI FT232R USB UART)\n"
                                     "/dev/ttyS0 (port série 16550A)");
    EXPECT_EQ(form.ComboBox1->currentIndex(), 1);
    // The pulled adapter's long name gives way in its middle so that "(absent)" shows.
    const QString shown = form.ComboBox2->currentText();
    EXPECT_TRUE(shown.endsWith(QStringLiteral(" (absent)"))) << shown.toStdString();
    EXPECT_LT(form.ComboBox2->fontMetrics().horizontalAdvance(shown), form.ComboBox2->width());
    EXPECT_EQ(form.ComboBox2->currentData().toByteArray().toStdString(), gone);

    form.ComboBox1->setCurrentIndex(0);
    form.BitBtn1->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(fs::read_symlink(Entry("COM1")), kAdapter);
    // The name left alone keeps its link, absent device and all.
    EXPECT_EQ(fs::read_symlink(Entry("COM2")), gone);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.join('\n').toStdString();

    // A link made by hand to the adapter's kernel name is the same device: kept as it is.
    fs::remove(Entry("COM1"));
    fs::create_symlink("/dev/ttyUSB0", Entry("COM1"));
    form.ShowOnTop();
    EXPECT_EQ(form.Label3->text(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(form.ComboBox1->currentIndex(), 0);
    form.BitBtn1->click();
    EXPECT_EQ(fs::read_symlink(Entry("COM1")), "/dev/ttyUSB0");
}

TEST_F(PortChoiceDialogTest, ListFollowsDevicesPluggedAndPulledKeepingTheChoice) {
    form.ShowOnTop();
    // COM2 leads to ttyS1, which has no UART; the user picks the adapter, not yet confirmed.
    form.ComboBox2->setCurrentIndex(form.ComboBox2->findData(QByteArray::fromStdString(kAdapter)));
    ASSERT_EQ(form.ComboBox1->count(), 2);

    tree.AddUsb("ttyACM0", "1-2", "Acme", "Modem");
    tree.AddStableName("usb-Acme_Modem-if00", "ttyACM0");
    ASSERT_TRUE(testsupport::PumpEventsUntil([&] { return form.ComboBox1->count() == 3; }));
    EXPECT_EQ(form.ComboBox1->itemText(0), QStringLiteral("/dev/ttyACM0 (Acme Modem)"));
    EXPECT_EQ(form.ComboBox2->currentData().toByteArray().toStdString(), kAdapter);

    tree.Unplug("usb-FTDI_FT232R_USB_UART_A5-if00-port0", "ttyUSB0");
    ASSERT_TRUE(testsupport::PumpEventsUntil([&] { return form.ComboBox1->count() == 2; }));
    EXPECT_EQ(Items(form.ComboBox2), "/dev/ttyS1 (absent)\n"
                                     "/dev/ttyACM0 (Acme Modem)\n"
                                     "/dev/ttyS0 (port série 16550A)");
    EXPECT_EQ(form.ComboBox2->currentIndex(), 0); // its choice gone: where COM2 leads
}

TEST_F(PortChoiceDialogTest, DevicePathsAreBytesKeptExactAndShownEscaped) {
    // COM2 made by hand to a path that is not UTF-8; an adapter named in Latin-1.
    const std::string handMade = std::string("/dev/ttyUSB\xff") + "9";
    fs::create_symlink(handMade, Entry("COM2"));
    tree.AddUsb("ttyUSB1", "1-3", "Caf\xe9", "Cr\xe8me");
    tree.AddStableName("usb-Caf\xe9-if00", "ttyUSB1");
    form.ShowOnTop();
    EXPECT_EQ(form.ComboBox2->currentText(), QStringLiteral("/dev/ttyUSB\\xff9 (absent)"));
    const int cafe = form.ComboBox1->findData(QByteArray("/dev/serial/by-id/usb-Caf\xe9-if00"));
    EXPECT_EQ(form.ComboBox1->itemText(cafe), QStringLiteral("/dev/ttyUSB1 (Caf\\xe9 Cr\\xe8me)"));

    form.ComboBox1->setCurrentIndex(cafe);
    form.BitBtn1->click();
    EXPECT_EQ(fs::read_symlink(Entry("COM1")), "/dev/serial/by-id/usb-Caf\xe9-if00");
    EXPECT_EQ(fs::read_symlink(Entry("COM2")), handMade); // unchanged
    form.ShowOnTop();
    EXPECT_EQ(form.Label3->text(), QStringLiteral("ttyUSB1")); // present, not absent
}

TEST_F(PortChoiceDialogTest, ALinkThatCannotBeMadeIsReportedAndTheDialogStays) {
    testsupport::FakeDeviceTree::Write(Entry("COM1"), "the user's own file");
    form.ShowOnTop();
    form.ComboBox1->setCurrentIndex(form.ComboBox1->findData(QByteArray("/dev/ttyS0")));
    main.settings.Set(1, "2");
    form.RadioButton1->setChecked(true);
    form.BitBtn1->click();

    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].contains(QStringLiteral("COM1 dans le dossier d'installation")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(main.settings.Get(1), "2"); // nothing stored before the links are made
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Entry("COM1"))));

    // A folder under the link's temporary name is what is in the way, and is said to be.
    fs::remove(Entry("COM1"));
    fs::create_directory(Entry(".COM1.link"));
    form.ComboBox1->setCurrentIndex(form.ComboBox1->findData(QByteArray::fromStdString(kAdapter)));
    form.BitBtn1->click();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.shown[1].contains(QStringLiteral("« .COM1.link » du dossier")));
    EXPECT_TRUE(boxes.shown[1].contains(QStringLiteral("pris par un dossier")));
    EXPECT_EQ(main.settings.Get(1), "2");
}

} // namespace
} // namespace app::testing
