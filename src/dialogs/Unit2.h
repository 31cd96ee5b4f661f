// The port choice dialog: COM1 or COM2 for the link to the compass module, and the device
// each of them leads to.
#pragma once

#include "dialogs/OptionPairDialog.h"

#include <filesystem>
#include <memory>

class QComboBox;
class QSocketNotifier;

namespace serial {
class PortWatcher;
}

namespace app {

// "COM 1" stands for PortSlot "1", "COM2" for "2"; the main window's next activation
// reopens the port from the slot. Beside them, each name shows the device it leads to
// ("absent" when there is none) and offers the serial devices present, followed as they
// are plugged and pulled while the dialog is shown; "&OK" points the name's link in the
// installation folder at the device chosen.
class TForm2 : public TOptionPairForm {
    Q_OBJECT

public:
    explicit TForm2(MainWindowAccess &mainWindow);
    ~TForm2() override;

    // The option pair's texts, places and slot: the one table the dialog is made from.
    static TOptionPairLayout Layout();

    QGroupBox *GroupBox2; // " Périphériques : "
    QLabel *Label5;       // "COM1 :"
    QLabel *Label3;       // where COM1 leads: its device, or "absent"
    QComboBox *ComboBox1; // the device to lead COM1 to
    QLabel *Label6;       // "COM2 :"
    QLabel *Label4;
    QComboBox *ComboBox2;

    // The folder that holds sys/ and dev/ ("/" unless a test gives a fake tree).
    void SetDeviceRoot(std::filesystem::path root) { root_ = std::move(root); }

protected:
    // Links each name whose choice differs from where it leads, then stores the slot. A
    // link that cannot be made is reported before the slot is stored, and the dialog stays
    // open with the choices as they are.
    void StoreControls() override;

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Row {
        const char *port;
        QLabel *leadsTo;
        QComboBox *choice;
    };

    // Lists the devices again and shows where each name leads; the drop-downs keep the
    // user's choice when it is still present, or else show where the name leads.
    void ShowDevices(bool keepChoices);
    void DevicesChanged();
    Row RowOf(int index) const;

    std::filesystem::path root_ = "/";
    std::unique_ptr<serial::PortWatcher> watcher_;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace app
