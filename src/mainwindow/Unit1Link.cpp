// The main window's link to the compass module: the RTS/DSR handshake, the timed pauses,
// the exchanges of one command each, the link start and the hand-over on quit.
#include "dialogs/Unit6.h"
#include "link/ParameterMessage.h"
#include "mainwindow/DeferredCall.h"
#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "platform/app/Guarded.h"
#include "platform/app/MessageBoxes.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

#include <utility>

namespace app {

namespace {
constexpr int HandshakeTimeoutTicks = 5;
platform::Application &App() { return platform::Application::Instance(); }
} // namespace

std::chrono::milliseconds TForm1::LongestQuit() {
    const std::chrono::milliseconds period(kLinkTimerPeriodMs);
    const std::chrono::milliseconds exchange = (HandshakeTimeoutTicks + 2) * period;
    return 2 * exchange + period; // and a period for the boxes and sounds between
}

// Raises RTS and waits, handling events, until the module raises DSR, the fifth tick of
// Timer1 passes, the device goes away or the program ends; says which. After anything but
// an answer the caller carries out none of its remaining steps.
HandshakeEnd TForm1::Handshake() {
    handshakeTicks_ = 0;
    ProgressBar1->setRange(0, HandshakeTimeoutTicks);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    deviceLost_ = false;
    handshakeTimedOut_ = false;
    SerialPort1->SetRTSLine(true);
    dsrSeen_ = 0;
    Timer1->start();
    for (;;) {
        if (App().Terminated())
            return HandshakeEnd::Quit;
        if (deviceLost_)
            return HandshakeEnd::DeviceLost;
        if (handshakeTimedOut_)
            return HandshakeEnd::TimedOut;
        if (dsrSeen_ == 1)
            break;
        App().ProcessMessages();
    }
    dsrSeen_ = 0;
    Timer1->stop();
    ProgressBar1->hide();
    return HandshakeEnd::Answered;
}

bool TForm1::Answered(HandshakeEnd end) {
    if (end == HandshakeEnd::TimedOut)
        EndAfterTimeOut();
    return end == HandshakeEnd::Answered;
}

// The module did not answer a command of the user's: the program ends, nothing more is sent.
void TForm1::EndAfterTimeOut() {
    PlayEffect(QStringLiteral("error.wav"));
    SetStatusText(StatusPanel::Operation,
                  QCoreApplication::translate("TForm1", "Communication échouée..."));
    platform::MessageBoxes::Warning(
        QCoreApplication::translate("TForm1", "Communication avec la boussole échouée !\n"
                                              "          Le programme va s'arrêter.\n"
                                              "   Vérifiez l'ensemble de vos connexions."));
    App().Terminate();
}

void TForm1::SerialPort1DSRChange(TObject *, bool OnOff) {
    if (!OnOff)
        return;
    SerialPort1->SetRTSLine(false);
    dsrSeen_ = 1;
}

void TForm1::Timer1Timer(TObject *) {
    handshakeTicks_ += 1;
    ProgressBar1->setValue(handshakeTicks_);
    if (handshakeTicks_ != HandshakeTimeoutTicks)
        return;
    Timer1->stop();
    handshakeTicks_ = 0;
    handshakeTimedOut_ = true; // the waiting command decides what follows
}

// One period of Timer2 during which events go on being handled. False when the program
// was ended or the device lost meanwhile.
bool TForm1::Pause() {
    pauseTicks_ = 0;
    Timer2->start();
    while (pauseTicks_ != 1 && !deviceLost_ && !App().Terminated())
        App().ProcessMessages();
    pauseTicks_ = 0;
    Timer2->stop();
    return !App().Terminated() && !deviceLost_;
}

void TForm1::Timer2Timer(TObject *) { pauseTicks_ += 1; }

// Exchanges never nest: while one runs, the commands that would start another are off,
// an activation of the main window leaves the port alone, and a quit waits for its end.
TForm1::ExchangeScope::ExchangeScope(TForm1 &form, Exchange kind) : form_(&form) {
    LinkState running = form.state_;
    running.exchange = kind;
    form.SetState(running);
}

void TForm1::ExchangeScope::End() {
    if (form_)
        std::exchange(form_, nullptr)->EndExchange();
}

void TForm1::EndExchange() {
    LinkState ended = state_;
    ended.exchange = Exchange::None;
    SetState(ended);
    if (quitHeld_) {
        quitHeld_ = false;
        // Not before the handler that ran the exchange is done, nor inside the error box
        // that may follow it.
        heldQuit_->Request();
    }
}

bool TForm1::RunExchange(Exchange kind, const QString &openingText,
                         const std::function<std::string()> &command, const QString &closingText,
                         bool clearStatus) {
    if (!openingText.isEmpty())
        SetStatusText(StatusPanel::Operation, openingText);
    ExchangeScope exchange(*this, kind);
    if (!Answered(Handshake()))
        return false;
    dialogs_.Form6->ShowWait();
    // A device lost during a pause ends the exchange there; the wait box goes while the
    // exchange still runs, so its activation leaves the port closed.
    const auto stopped = [&](bool sent) {
        if (!App().Terminated())
            dialogs_.Form6->HideWait();
        return sent;
    };
    try {
        if (!Pause())
            return stopped(false);
        SerialPort1->WriteString(command());
        if (!closingText.isEmpty())
            SetStatusText(StatusPanel::Operation, closingText);
        if (!Pause())
            return stopped(true);
        if (clearStatus)
            SetStatusText(StatusPanel::Operation, QString());
    } catch (...) {
        // A failed exchange takes its wait box away before its error is shown; the port is
        // left as it is until that box has closed.
        dialogs_.Form6->HideWait();
        throw;
    }
    // The exchange is over before the wait box hides, so the activation that follows
    // reopens the port and saves the settings as usual.
    exchange.End();
    dialogs_.Form6->HideWait();
    return true;
}

void TForm1::TransferParameters() {
    // A message that would carry a field its slot may not hold is refused before anything
    // is shown or sent.
    BuildParameterMessage(settings_);
    RunExchange(
        Exchange::ParameterTransfer,
        QCoreApplication::translate("TForm1", "Transfert des paramètres..."),
        [this] { return BuildParameterMessage(settings_); },
        QCoreApplication::translate("TForm1", "Transfert effectué..."), true);
}

bool TForm1::CalibrationExchange() {
    return RunExchange(
        Exchange::CalibrationPhase, QString(), [] { return std::string("E&"); }, QString(), false);
}

void TForm1::HandOverToStandalone() {
    RunExchange(
        Exchange::HandOver, QCoreApplication::translate("TForm1", "Le programme va s'arrêter..."),
        [] { return std::string("?&"); },
        QCoreApplication::translate("TForm1", "Boussole autonome..."), false);
}

void TForm1::StartLink() {
    // A port that a lost device left closed opens first: while the device is still away,
    // the error is told and nothing changes, so the link can be started again later.
    if (portAwaitsLinkStart_) {
        OpenPortOrExplain();
        portAwaitsLinkStart_ = false;
    }
    const LinkStage before = state_.link;
    SetLinkStage(LinkStage::Starting);

    if (View().On(settings::TSwitch::ConnectWarning))
        platform::MessageBoxes::Information(QCoreApplication::translate(
            "TForm1", "Assurez-vous d'avoir connecté le cordon RS232 entre le PC et la "
                      "boussole,\n           puis mettez la boussole sous tension et "
                      "cliquez sur OK."));
    // The device may have gone away while the box was open.
    if (App().Terminated() || state_.link != LinkStage::Starting)
        return;
    // A request to end from outside closed the box (or came before it): that is no "OK",
    // and the safe answer is to leave the module alone; the quit follows.
    if (App().Unattended()) {
        SetLinkStage(before);
        return;
    }
    SetStatusText(StatusPanel::Operation,
                  QCoreApplication::translate("TForm1", "Communication PC & boussole en cours..."));
    {
        ExchangeScope exchange(*this, Exchange::LinkStart);
        if (!Answered(Handshake()))
            return;
    }
    SetStatusText(StatusPanel::Operation,
                  QCoreApplication::translate("TForm1", "Communication établie..."));
    SetLinkStage(LinkStage::Answered);
    PlayEffect(QStringLiteral("applaud.wav"));
    platform::MessageBoxes::Information(
        QCoreApplication::translate("TForm1", "     Félicitations !!!\nCommunication établie."));
    if (App().Terminated() || state_.link != LinkStage::Answered)
        return;
    SetLinkStage(LinkStage::Up);
    ShowLinkUp();
}

// The link is up: the compass labels show, and the module gets its parameters at once (no
// handshake, no wait box, no pause), unless a calibration waits for its phases: nothing
// may come between its commands, and the module keeps the parameters it had.
void TForm1::ShowLinkUp() {
    Label5->hide();
    for (QLabel *label : {Label7, Label8, Label9, Label10})
        label->show();
    if (!state_.Calibrating())
        SerialPort1->WriteString(BuildParameterMessage(settings_));
}

} // namespace app
