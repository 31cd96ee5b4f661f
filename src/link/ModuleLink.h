// The link to the compass module, without widgets: it owns the serial port and the link's two
// timers, holds the whole state of the link, runs the exchanges with the module (the RTS/DSR
// handshake, the timed pauses, the link start, the parameter transfer, the calibration
// phases, the hand-over on quit), notices a lost device and starts the link again once it is
// back. What the user sees and hears (status texts, sounds, boxes, the wait box, the progress
// of a handshake) it asks of its observer, the main window, which carries it out before the
// call returns: so the order of what the user sees is the order of the link's steps.
#pragma once

#include "compass/LinkState.h"
#include "link/LinkTimer.h"
#include "serial/Port.h"
#include "settings/SettingsStore.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace app {

using platform::TObject;

// How a handshake ended.
enum class HandshakeEnd {
    Answered,   // the module raised DSR
    TimedOut,   // the fifth tick of Timer1 passed first
    DeviceLost, // the port's device went away
    Quit,       // the program was ended meanwhile
};

// The operation panel's texts that the link asks for.
enum class LinkText {
    Connecting,   // a link start's handshake runs
    Established,  // the module answered the link start
    Failed,       // the module did not answer a command of the user's
    Transferring, // a parameter transfer begins
    Transferred,  // the parameter message was written
    Cleared,      // the transfer is over
    Stopping,     // the hand-over on quit begins
    Standalone,   // the hand-over's command was written
    Lost,         // the module's device went away
    Restored,     // the link came back by itself
    NotRestored,  // the device came back but the link did not
};

enum class LinkSound { Applause, Error };

// The boxes the link asks for; each is closed (OK) when the call returns.
enum class LinkBox {
    ConnectWarning, // before a link start: connect the cable and power the module
    Established,    // the link start succeeded
    TimedOut,       // the module did not answer: the program ends
};

// What the link tells the window and asks it to do. Every call is made on the user-interface
// thread and carried out before it returns.
class LinkObserver {
public:
    // The state went from `from` to `to`: the commands switch.
    virtual void StateChanged(const LinkState &from, const LinkState &to) = 0;
    // The handshake's ticks so far (0 when it begins), or nullopt once it is over.
    virtual void HandshakeProgress(std::optional<int> ticks) = 0;
    virtual void ShowLinkText(LinkText text) = 0;
    virtual void PlayLinkSound(LinkSound sound) = 0;
    virtual void ShowLinkBox(LinkBox box) = 0;
    // The wait box of an exchange, shown after its handshake and hidden at its end.
    virtual void ShowWaitBox(bool shown) = 0;
    // The link is up (the readings' labels show) or lost (the dial as at start).
    virtual void ShowLink(bool up) = 0;
    // Bytes came from the module while the link is up; ReadReceived takes them.
    virtual void ChunkReceived(int count) = 0;
    // A quit that was held during an exchange may run now that the exchange is over.
    virtual void HeldQuitReleased() = 0;

protected:
    ~LinkObserver() = default;
};

class ModuleLink : public QObject {
    Q_OBJECT

public:
    // The period of the link's timers: Timer1 counts the handshake's ticks, Timer2 the pauses.
    static constexpr int kTimerPeriodMs = 1000;
    // The module has until the fifth tick of Timer1 to answer a handshake.
    static constexpr int kHandshakeTimeoutTicks = 5;

    ModuleLink(settings::SettingsStore &settings, LinkObserver &observer);
    ~ModuleLink() override;

    // The longest a quit asked for can take before the program ends: an exchange that runs
    // to its end (handshake time-out and both pauses), then the hand-over's own.
    static std::chrono::milliseconds LongestQuit();

    const LinkState &State() const { return state_; }
    bool LinkUp() const { return state_.LinkUp(); }
    bool ExchangeRunning() const { return state_.ExchangeRunning(); }

    // The port, the handshake's time-out and the pauses. The link owns them.
    serial::TSerialPort *SerialPort1 = nullptr;
    LinkTimer *Timer1 = nullptr, *Timer2 = nullptr;

    // Back to the state before any link, timers stopped, without telling the observer (the
    // window's creation switches every command itself).
    void Reset();

    // ---- The port, as the main window's activation handles it ----
    // Closes the port and selects the one the port slot names (COM1 or COM2; the same one
    // when the slot names neither), at 9600 baud.
    void ClosePort();
    // Opens the port again, unless a lost device left it to the next link start (opening it
    // at each activation would only report the missing device again and again).
    void ReopenPort();
    // Opens the port; a refusal is raised in words that say what the user can do.
    void OpenPortOrExplain();

    // ---- The exchanges ----
    void StartLink();
    void TransferParameters();
    // True once the module was sent the phase's command.
    bool CalibrationExchange();
    void HandOverToStandalone();
    // Raises RTS and waits, handling events, until the module raises DSR, the fifth tick of
    // Timer1 passes, the device goes away or the program ends; says which. After anything
    // but an answer the caller carries out none of its remaining steps.
    HandshakeEnd Handshake();

    // The calibration phase that waits (1 to 4), or 0 once none does.
    void SetCalibrationPhase(int phase);
    // A quit asked for during an exchange: the observer hears when the exchange is over.
    void HoldQuit() { quitHeld_ = true; }

    // ---- Loss and restart ----
    // Reads the received bytes; false when the read found the device gone (the loss is
    // then taken in hand).
    bool ReadReceived(std::string &text, int count);
    // The link start without its boxes, for a device that came back: the port, the
    // handshake, then the link is up again. Only while the link is lost.
    void RestartLink();

    // ---- Handlers of the port's and timers' events ----
    void SerialPort1RxChar(TObject *Sender, int Count);
    void SerialPort1DSRChange(TObject *Sender, bool OnOff);
    void SerialPort1Error(TObject *Sender, serial::TSerialErrors Errors);
    void Timer1Timer();
    void Timer2Timer();

private:
    // Marks an exchange as running until End() or the end of its scope, whichever way it
    // ends.
    class ExchangeScope {
    public:
        ExchangeScope(ModuleLink &link, Exchange kind);
        ~ExchangeScope() { End(); }
        ExchangeScope(const ExchangeScope &) = delete;
        ExchangeScope &operator=(const ExchangeScope &) = delete;
        void End();

    private:
        ModuleLink *link_;
    };

    void SetState(const LinkState &state);
    void SetLinkStage(LinkStage stage);
    // True when the handshake was answered; a time-out ends the program with its warning.
    bool Answered(HandshakeEnd end);
    void EndAfterTimeOut();
    bool Pause();
    // True once the command was written.
    bool RunExchange(Exchange kind, std::optional<LinkText> openingText,
                     const std::function<std::string()> &command,
                     std::optional<LinkText> closingText, bool clearStatus);
    void EndExchange();
    void CameUp();
    void Lost();
    void ShowLost();
    void RestartFailed();

    settings::SettingsStore &settings_;
    LinkObserver &observer_;
    std::unique_ptr<serial::TSerialPort> port_;
    LinkState state_;
    int dsrSeen_ = 0;
    int handshakeTicks_ = 0;
    int pauseTicks_ = 0;
    bool handshakeTimedOut_ = false;   // since the last handshake began
    bool deviceLost_ = false;          // since the last handshake began
    bool portAwaitsLinkStart_ = false; // closed by a lost device, opened by the link start
    bool quitHeld_ = false;            // a quit waits for the exchange's end
};

} // namespace app
