// The main window when the port's device goes away (an adapter pulled, a cable cut): the
// link falls back to its state before the link start, so that it can be started again
// once the device is back, instead of leaving a needle that no longer moves.
#include "app/PictureBox.h"
#include "app/Unit1.h"
#include "platform/InstallDir.h"

#include <QLabel>
#include <QProgressBar>

namespace app {

void TForm1::SerialPort1Error(TObject *, serial::TSerialErrors Errors) {
    if (Errors.Contains(serial::ceDeviceIO))
        LinkLost();
}

// A read that fails because the device is gone is the loss itself, not an error of the
// reading: it must not end the port's event delivery unseen.
bool TForm1::ReadReceived(std::string &text, int count) {
    try {
        SerialPort1->ReadString(text, count);
        return true;
    } catch (const serial::ESerialPort &error) {
        if (!serial::TCustomSerialPort::DeviceLost(error.WinErrorCode))
            throw;
        LinkLost();
        return false;
    }
}

void TForm1::LinkLost() {
    deviceLost_ = true; // ends a wait for the module
    if (linkUp_ || exchangeRunning_)
        ShowLinkDown();
    // Closed at once, the device can come back under its own name; the next link start
    // opens it again.
    SerialPort1->Close();
    portAwaitsLinkStart_ = true;
}

void TForm1::ShowLinkDown() {
    linkUp_ = false;
    Timer1->stop();
    Timer2->stop();
    ProgressBar1->hide();
    SetStatusText(StatusPanel::Operation,
                  QStringLiteral("Communication perdue avec la boussole..."));
    PlayEffect(QStringLiteral("error.wav"));

    // The commands as before the link start.
    for (platform::TMenuItem *item : {Activezlacommunicationsrie1, Communication1,
                                      Activerlacommunicationsrie1, Portdecommunicationsrie1})
        SetEnabled(item, true);
    for (platform::TToolButton *button : {ToolButton1, ToolButton2})
        SetEnabled(button, true);
    for (platform::TMenuItem *item :
         {Optionsgraphiques1, Optionsgraphiques2, Etalonnagedelaboussole1, Etalonnagede1,
          CentrageduzroNORD1, CentrageduzroNORD2, Dclinaisonmagntique1, Dclinaisonmagntique2,
          Optionsmatrielles1, Optionmatrielles1})
        SetEnabled(item, false);
    for (platform::TToolButton *button : {ToolButton3, ToolButton4, ToolButton7})
        SetEnabled(button, false);

    // The dial as at start: no needle, no heading.
    for (QLabel *label : {Label7, Label8, Label9, Label10})
        label->hide();
    Label5->show();
    SetPanel1Colour(Qt::white);
    Image1->SetPicture(QImage(platform::InstallDir::File(QStringLiteral("cercle5.bmp"))));
}

} // namespace app
