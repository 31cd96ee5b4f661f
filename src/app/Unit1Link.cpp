// The main window's link to the compass module: the RTS/DSR handshake, the timed pauses,
// the exchanges of one command each, the link start and the hand-over on quit.
#include "app/ParameterMessage.h"
#include "app/Unit1.h"
#include "dialogs/Unit6.h"
#include "platform/Application.h"
#include "platform/Guarded.h"
#include "platform/MessageBoxes.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <utility>

namespace app {

namespace {
constexpr int HandshakeTimeoutTicks = 5;
platform::Application &App() { return platform::Application::Instance(); }
} // namespace

// Raises RTS and waits, handling events, until the module raises DSR. Returns false when
// the program was ended meanwhile (the handshake timed out, or the user quit), in which
// case the caller carries out none of its remaining steps.
bool TForm1::Handshake() {
    handshakeTicks_ = 0;
    ProgressBar1->setRange(0, HandshakeTimeoutTicks);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    deviceLost_ = false;
    SerialPort1->SetRTSLine(true);
    dsrSeen_ = 0;
    Timer1->start();
    while (dsrSeen_ != 1 && !deviceLost_ && !App().Terminated())
        App().ProcessMessages();
    if (App().Terminated() || deviceLost_)
        return false;
    dsrSeen_ = 0;
    Timer1->stop();
    ProgressBar1->hide();
    return true;
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
    PlayEffect(QStringLiteral("error.wav"));
    SetStatusText(StatusPanel::Operation, QStringLiteral("Communication échouée..."));
    platform::MessageBoxes::Warning(QStringLiteral("Communication avec la boussole échouée !\n"
                                                   "          Le programme va s'arrêter.\n"
                                                   "   Vérifiez l'ensemble de vos connexions."));
    App().Terminate();
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
void TForm1::BeginExchange() {
    exchangeRunning_ = true;
    UpdateExchangeCommands();
}

TForm1::ExchangeScope::ExchangeScope(TForm1 &form) : form_(&form) { form_->BeginExchange(); }

void TForm1::ExchangeScope::End() {
    if (form_)
        std::exchange(form_, nullptr)->EndExchange();
}

void TForm1::EndExchange() {
    exchangeRunning_ = false;
    UpdateExchangeCommands();
    if (quitHeld_) {
        quitHeld_ = false;
        // Not before the handler that ran the exchange is done, nor inside the error box
        // that may follow it.
        heldQuit_->start(0);
    }
}

void TForm1::RunHeldQuit() {
    if (App().Terminated())
        return;
    if (App().Model().OpenBoxes() > 0) {
        heldQuit_->start(50); // a box is open: look again once it may have closed
        return;
    }
    Quittez1Click(this);
}

void TForm1::RunExchange(const QString &openingText, const std::function<std::string()> &command,
                         const QString &closingText, bool clearStatus) {
    if (!openingText.isEmpty())
        SetStatusText(StatusPanel::Operation, openingText);
    ExchangeScope exchange(*this);
    if (!Handshake())
        return;
    dialogs_.Form6->ShowWait();
    // A device lost during a pause ends the exchange there; the wait box goes while the
    // exchange still runs, so its activation leaves the port closed.
    const auto stopped = [&] {
        if (!App().Terminated())
            dialogs_.Form6->HideWait();
    };
    try {
        if (!Pause())
            return stopped();
        SerialPort1->WriteString(command());
        if (!closingText.isEmpty())
            SetStatusText(StatusPanel::Operation, closingText);
        if (!Pause())
            return stopped();
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
}

void TForm1::TransferParameters() {
    // A message that would carry a field its slot may not hold is refused before anything
    // is shown or sent.
    BuildParameterMessage(settings_);
    RunExchange(
        QStringLiteral("Transfert des paramètres..."),
        [this] { return BuildParameterMessage(settings_); },
        QStringLiteral("Transfert effectué..."), true);
}

void TForm1::CalibrationExchange() {
    RunExchange(
        QString(), [] { return std::string("E&"); }, QString(), false);
}

void TForm1::HandOverToStandalone() {
    RunExchange(
        QStringLiteral("Le programme va s'arrêter..."), [] { return std::string("?&"); },
        QStringLiteral("Boussole autonome..."), false);
}

void TForm1::StartLink() {
    // A port that a lost device left closed opens first: while the device is still away,
    // the error is told and nothing changes, so the link can be started again later.
    if (portAwaitsLinkStart_) {
        OpenPortOrExplain();
        portAwaitsLinkStart_ = false;
    }
    SetEnabled(Activezlacommunicationsrie1, false);
    SetEnabled(Communication1, false);
    for (platform::TMenuItem *item : {Etalonnagedelaboussole1, Dclinaisonmagntique1,
                                      CentrageduzroNORD1, Optionsmatrielles1, Optionsgraphiques1})
        SetEnabled(item, true);

    if (View().On(settings::TSwitch::ConnectWarning))
        platform::MessageBoxes::Information(
            QStringLiteral("Assurez-vous d'avoir connecté le cordon RS232 entre le PC et la "
                           "boussole,\n           puis mettez la boussole sous tension et "
                           "cliquez sur OK."));
    if (App().Terminated())
        return;
    SetStatusText(StatusPanel::Operation,
                  QStringLiteral("Communication PC & boussole en cours..."));
    ExchangeScope exchange(*this);
    if (!Handshake())
        return;
    // The waiting is over: the boxes that follow activate the main window as usual.
    exchange.End();
    SetStatusText(StatusPanel::Operation, QStringLiteral("Communication établie..."));
    linkUp_ = true;
    PlayEffect(QStringLiteral("applaud.wav"));
    platform::MessageBoxes::Information(
        QStringLiteral("     Félicitations !!!\nCommunication établie."));
    if (App().Terminated())
        return;

    for (platform::TToolButton *button : {ToolButton3, ToolButton4, ToolButton7})
        SetEnabled(button, true);
    for (platform::TMenuItem *item : {Etalonnagede1, CentrageduzroNORD2, Dclinaisonmagntique2,
                                      Optionmatrielles1, Optionsgraphiques2})
        SetEnabled(item, true);
    SetEnabled(Activerlacommunicationsrie1, false);
    SetEnabled(Portdecommunicationsrie1, false);
    SetEnabled(ToolButton1, false);
    SetEnabled(ToolButton2, false);

    Label5->hide();
    for (QLabel *label : {Label7, Label8, Label9, Label10})
        label->show();

    SerialPort1->WriteString(BuildParameterMessage(settings_));
}

} // namespace app
