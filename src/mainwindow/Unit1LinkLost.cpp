// The main window when the port's device goes away (an adapter pulled, a cable cut): the
// link is lost instead of leaving a needle that no longer moves, and when the same device
// comes back the link starts again by itself.
#include "mainwindow/DeferredCall.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "platform/app/InstallDir.h"

#include <QCoreApplication>
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
    if (state_.link != LinkStage::Down && state_.link != LinkStage::Lost)
        ShowLinkDown();
    // Closed at once, the device can come back under its own name; the next link start
    // opens it again.
    SerialPort1->Close();
    portAwaitsLinkStart_ = true;
}

void TForm1::ShowLinkDown() {
    SetLinkStage(LinkStage::Lost);
    Timer1->stop();
    Timer2->stop();
    ProgressBar1->hide();
    SetStatusText(
        StatusPanel::Operation,
        QCoreApplication::translate("TForm1", "Communication perdue avec la boussole..."));
    PlayEffect(QStringLiteral("error.wav"));

    // The dial as at start: no needle, no heading.
    for (QLabel *label : {Label7, Label8, Label9, Label10})
        label->hide();
    Label5->show();
    SetPanel1Colour(Qt::white);
    Image1->SetPicture(QImage(platform::InstallDir::File(QStringLiteral("cercle5.bmp"))));
}

void TForm1::DeviceReturned() {
    if (state_.link == LinkStage::Lost)
        restartLink_->Request();
}

// The link start without its boxes: the port, the handshake, then the link is up again. A
// calibration under way shows its phase again, to be done.
void TForm1::RestartLink() {
    if (state_.link != LinkStage::Lost || platform::Application::Instance().Terminated())
        return;
    HandshakeEnd end = HandshakeEnd::TimedOut;
    try {
        OpenPortOrExplain();
        portAwaitsLinkStart_ = false;
        SetLinkStage(LinkStage::Starting);
        SetStatusText(
            StatusPanel::Operation,
            QCoreApplication::translate("TForm1", "Communication PC & boussole en cours..."));
        ExchangeScope exchange(*this, Exchange::LinkStart);
        end = Handshake();
    } catch (...) {
        // The device is there but will not serve (still being set up, or held elsewhere):
        // this return failed like a silent module.
    }
    if (end == HandshakeEnd::Quit || end == HandshakeEnd::DeviceLost)
        return; // the loss said so already
    if (end != HandshakeEnd::Answered) {
        RestartFailed();
        return;
    }
    SetLinkStage(LinkStage::Up);
    SetStatusText(StatusPanel::Operation,
                  QCoreApplication::translate("TForm1", "Communication rétablie..."));
    ShowLinkUp();
}

// Said once; the link then waits for the device's next return, or for the user.
void TForm1::RestartFailed() {
    Timer1->stop();
    ProgressBar1->hide();
    try {
        SerialPort1->Close(); // drops RTS; the next link start opens the port again
    } catch (...) {
        // The port is as closed as it can be; the next open says what is wrong.
    }
    portAwaitsLinkStart_ = true;
    SetLinkStage(LinkStage::Lost);
    SetStatusText(StatusPanel::Operation,
                  QCoreApplication::translate("TForm1", "Communication non rétablie..."));
}

} // namespace app
