// The link's exchanges with the module: the RTS/DSR handshake, the timed pauses, the
// exchanges of one command each, the link start and the hand-over on quit.
#include "link/ModuleLink.h"

#include "link/ParameterMessage.h"
#include "link/PortOpenFailure.h"
#include "platform/app/Application.h"
#include "platform/app/Errors.h"
#include "platform/app/Guarded.h"
#include "serial/Devices.h"
#include "settings/SettingsView.h"

#include <QString>

#include <utility>

namespace app {

namespace {
platform::Application &App() { return platform::Application::Instance(); }
} // namespace

ModuleLink::ModuleLink(settings::SettingsStore &settings, LinkObserver &observer)
    : settings_(settings), observer_(observer), port_(std::make_unique<serial::TSerialPort>()) {
    SerialPort1 = port_.get();
    SerialPort1->SetName("SerialPort1");
    SerialPort1->SetBaudRate(serial::br9600);
    SerialPort1->SetPort(std::string(serial::kPortNames[0].name));
    SerialPort1->OnRxChar = serial::TRxCharEvent(this, &ModuleLink::SerialPort1RxChar);
    SerialPort1->OnDSRChange = serial::TSerialSignalEvent(this, &ModuleLink::SerialPort1DSRChange);
    SerialPort1->OnError = serial::TSerialErrorEvent(this, &ModuleLink::SerialPort1Error);

    Timer1 = new LinkTimer(this);
    Timer1->setInterval(kTimerPeriodMs);
    connect(Timer1, &LinkTimer::timeout, this, platform::Guarded([this] { Timer1Timer(); }));
    Timer2 = new LinkTimer(this);
    Timer2->setInterval(kTimerPeriodMs);
    connect(Timer2, &LinkTimer::timeout, this, platform::Guarded([this] { Timer2Timer(); }));
}

ModuleLink::~ModuleLink() {
    // The port's worker stops before the link's parts go.
    try {
        SerialPort1->Close();
    } catch (...) {
        // The device is closed with the port component itself; nothing to report now.
    }
}

std::chrono::milliseconds ModuleLink::LongestQuit() {
    const std::chrono::milliseconds period(kTimerPeriodMs);
    const std::chrono::milliseconds exchange = (kHandshakeTimeoutTicks + 2) * period;
    return 2 * exchange + period; // and a period for the boxes and sounds between
}

void ModuleLink::Reset() {
    Timer1->stop();
    Timer2->stop();
    state_ = LinkState{};
}

// ---- The state ----------------------------------------------------------------------------

void ModuleLink::SetState(const LinkState &state) {
    if (state == state_)
        return;
    const LinkState previous = std::exchange(state_, state);
    observer_.StateChanged(previous, state_);
}

void ModuleLink::SetLinkStage(LinkStage stage) {
    LinkState next = state_;
    next.link = stage;
    SetState(next);
}

void ModuleLink::SetCalibrationPhase(int phase) {
    LinkState next = state_;
    next.calibrationPhase = phase;
    SetState(next);
}

// ---- The port -----------------------------------------------------------------------------

void ModuleLink::ClosePort() {
    SerialPort1->Close();
    if (const std::optional<settings::PortChoice> port = settings::SettingsView(settings_).Port())
        SerialPort1->SetPort(std::string(settings::PortNameOf(*port).name));
    SerialPort1->SetBaudRate(serial::br9600);
}

void ModuleLink::ReopenPort() {
    if (!portAwaitsLinkStart_)
        OpenPortOrExplain();
}

void ModuleLink::OpenPortOrExplain() {
    try {
        SerialPort1->Open();
    } catch (const serial::ESerialPort &error) {
        // The component's message names no cause a user can act on: say what to do.
        throw platform::Exception(
            PortOpenFailureMessage(error, QString::fromStdString(SerialPort1->Port())));
    }
}

// ---- Handshake and pauses -----------------------------------------------------------------

HandshakeEnd ModuleLink::Handshake() {
    handshakeTicks_ = 0;
    observer_.HandshakeProgress(0);
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
        if (handshakeTimedOut_) {
            // The request for the module's attention ends with the wait: a module that
            // answers late must not take a later handshake's request for this one.
            try {
                SerialPort1->SetRTSLine(false);
            } catch (...) {
                // The port is failing as well; the time-out is what the user is told.
            }
            return HandshakeEnd::TimedOut;
        }
        if (dsrSeen_ == 1)
            break;
        App().ProcessMessages();
    }
    dsrSeen_ = 0;
    Timer1->stop();
    observer_.HandshakeProgress(std::nullopt);
    return HandshakeEnd::Answered;
}

bool ModuleLink::Answered(HandshakeEnd end) {
    if (end == HandshakeEnd::TimedOut)
        EndAfterTimeOut();
    return end == HandshakeEnd::Answered;
}

// The module did not answer a command of the user's: the program ends, nothing more is sent.
void ModuleLink::EndAfterTimeOut() {
    observer_.PlayLinkSound(LinkSound::Error);
    observer_.ShowLinkText(LinkText::Failed);
    observer_.ShowLinkBox(LinkBox::TimedOut);
    App().Terminate();
}

void ModuleLink::SerialPort1DSRChange(TObject *, bool OnOff) {
    if (!OnOff)
        return;
    SerialPort1->SetRTSLine(false);
    dsrSeen_ = 1;
}

void ModuleLink::Timer1Timer() {
    handshakeTicks_ += 1;
    observer_.HandshakeProgress(handshakeTicks_);
    if (handshakeTicks_ != kHandshakeTimeoutTicks)
        return;
    Timer1->stop();
    handshakeTicks_ = 0;
    handshakeTimedOut_ = true; // the waiting command decides what follows
}

// One period of Timer2 during which events go on being handled. False when the program
// was ended or the device lost meanwhile.
bool ModuleLink::Pause() {
    pauseTicks_ = 0;
    Timer2->start();
    while (pauseTicks_ != 1 && !deviceLost_ && !App().Terminated())
        App().ProcessMessages();
    pauseTicks_ = 0;
    Timer2->stop();
    return !App().Terminated() && !deviceLost_;
}

void ModuleLink::Timer2Timer() { pauseTicks_ += 1; }

// ---- Exchanges ----------------------------------------------------------------------------

// Exchanges never nest: while one runs, the commands that would start another are off,
// an activation of the main window leaves the port alone, and a quit waits for its end.
ModuleLink::ExchangeScope::ExchangeScope(ModuleLink &link, Exchange kind) : link_(&link) {
    LinkState running = link.state_;
    running.exchange = kind;
    link.SetState(running);
}

void ModuleLink::ExchangeScope::End() {
    if (link_)
        std::exchange(link_, nullptr)->EndExchange();
}

void ModuleLink::EndExchange() {
    LinkState ended = state_;
    ended.exchange = Exchange::None;
    SetState(ended);
    if (std::exchange(quitHeld_, false))
        observer_.HeldQuitReleased();
}

bool ModuleLink::RunExchange(Exchange kind, std::optional<LinkText> openingText,
                             const std::function<std::string()> &command,
                             std::optional<LinkText> closingText, bool clearStatus) {
    if (openingText)
        observer_.ShowLinkText(*openingText);
    ExchangeScope exchange(*this, kind);
    if (!Answered(Handshake()))
        return false;
    observer_.ShowWaitBox(true);
    // A device lost during a pause ends the exchange there; the wait box goes while the
    // exchange still runs, so its activation leaves the port closed.
    const auto stopped = [&](bool sent) {
        if (!App().Terminated())
            observer_.ShowWaitBox(false);
        return sent;
    };
    try {
        if (!Pause())
            return stopped(false);
        SerialPort1->WriteString(command());
        if (closingText)
            observer_.ShowLinkText(*closingText);
        if (!Pause())
            return stopped(true);
        if (clearStatus)
            observer_.ShowLinkText(LinkText::Cleared);
    } catch (...) {
        // A failed exchange takes its wait box away before its error is shown; the port is
        // left as it is until that box has closed.
        observer_.ShowWaitBox(false);
        throw;
    }
    // The exchange is over before the wait box hides, so the activation that follows
    // reopens the port and saves the settings as usual.
    exchange.End();
    observer_.ShowWaitBox(false);
    return true;
}

void ModuleLink::TransferParameters() {
    // A message that would carry a field its slot may not hold is refused before anything
    // is shown or sent.
    BuildParameterMessage(settings_);
    RunExchange(
        Exchange::ParameterTransfer, LinkText::Transferring,
        [this] { return BuildParameterMessage(settings_); }, LinkText::Transferred, true);
}

bool ModuleLink::CalibrationExchange() {
    return RunExchange(
        Exchange::CalibrationPhase, std::nullopt, [] { return std::string("E&"); }, std::nullopt,
        false);
}

void ModuleLink::HandOverToStandalone() {
    RunExchange(
        Exchange::HandOver, LinkText::Stopping, [] { return std::string("?&"); },
        LinkText::Standalone, false);
}

void ModuleLink::StartLink() {
    // A port that a lost device left closed opens first: while the device is still away,
    // the error is told and nothing changes, so the link can be started again later.
    if (portAwaitsLinkStart_) {
        OpenPortOrExplain();
        portAwaitsLinkStart_ = false;
    }
    const LinkStage before = state_.link;
    SetLinkStage(LinkStage::Starting);

    if (settings::SettingsView(settings_).On(settings::TSwitch::ConnectWarning))
        observer_.ShowLinkBox(LinkBox::ConnectWarning);
    // The device may have gone away while the box was open.
    if (App().Terminated() || state_.link != LinkStage::Starting)
        return;
    // A request to end from outside closed the box (or came before it): that is no "OK",
    // and the safe answer is to leave the module alone; the quit follows.
    if (App().Unattended()) {
        SetLinkStage(before);
        return;
    }
    observer_.ShowLinkText(LinkText::Connecting);
    {
        ExchangeScope exchange(*this, Exchange::LinkStart);
        if (!Answered(Handshake()))
            return;
    }
    observer_.ShowLinkText(LinkText::Established);
    SetLinkStage(LinkStage::Answered);
    observer_.PlayLinkSound(LinkSound::Applause);
    observer_.ShowLinkBox(LinkBox::Established);
    if (App().Terminated() || state_.link != LinkStage::Answered)
        return;
    SetLinkStage(LinkStage::Up);
    CameUp();
}

// The link is up: the compass labels show, and the module gets its parameters at once (no
// handshake, no wait box, no pause), unless a calibration waits for its phases: nothing
// may come between its commands, and the module keeps the parameters it had.
void ModuleLink::CameUp() {
    observer_.ShowLink(true);
    if (!state_.Calibrating())
        SerialPort1->WriteString(BuildParameterMessage(settings_));
}

} // namespace app
