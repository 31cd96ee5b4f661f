// The link when the port's device goes away (an adapter pulled, a cable cut): the link is
// lost instead of leaving a needle that no longer moves, and when the device comes back the
// link starts again by itself.
#include "link/ModuleLink.h"

#include "platform/app/Application.h"

namespace app {

void ModuleLink::SerialPort1RxChar(TObject *, int Count) {
    if (!state_.LinkUp())
        return; // nothing is taken from the port before the link is up
    observer_.ChunkReceived(Count);
}

void ModuleLink::SerialPort1Error(TObject *, serial::TSerialErrors Errors) {
    if (Errors.Contains(serial::ceDeviceIO))
        Lost();
}

// A read that fails because the device is gone is the loss itself, not an error of the
// reading: it must not end the port's event delivery unseen.
bool ModuleLink::ReadReceived(std::string &text, int count) {
    try {
        SerialPort1->ReadString(text, count);
        return true;
    } catch (const serial::ESerialPort &error) {
        if (!serial::TCustomSerialPort::DeviceLost(error.WinErrorCode))
            throw;
        Lost();
        return false;
    }
}

void ModuleLink::Lost() {
    deviceLost_ = true; // ends a wait for the module
    if (state_.link != LinkStage::Down && state_.link != LinkStage::Lost)
        ShowLost();
    // Closed at once, the device can come back under its own name; the next link start
    // opens it again.
    SerialPort1->Close();
    portAwaitsLinkStart_ = true;
}

void ModuleLink::ShowLost() {
    SetLinkStage(LinkStage::Lost);
    Timer1->stop();
    Timer2->stop();
    observer_.HandshakeProgress(std::nullopt);
    observer_.ShowLinkText(LinkText::Lost);
    observer_.PlayLinkSound(LinkSound::Error);
    observer_.ShowLink(false);
}

void ModuleLink::RestartLink() {
    if (state_.link != LinkStage::Lost || platform::Application::Instance().Terminated())
        return;
    HandshakeEnd end = HandshakeEnd::TimedOut;
    try {
        OpenPortOrExplain();
        portAwaitsLinkStart_ = false;
        SetLinkStage(LinkStage::Starting);
        observer_.ShowLinkText(LinkText::Connecting);
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
    observer_.ShowLinkText(LinkText::Restored);
    CameUp();
}

// Said once; the link then waits for the device's next return, or for the user.
void ModuleLink::RestartFailed() {
    Timer1->stop();
    observer_.HandshakeProgress(std::nullopt);
    try {
        SerialPort1->Close(); // the next link start opens the port again
    } catch (...) {
        // The port is as closed as it can be; the next open says what is wrong.
    }
    portAwaitsLinkStart_ = true;
    SetLinkStage(LinkStage::Lost);
    observer_.ShowLinkText(LinkText::NotRestored);
}

} // namespace app
