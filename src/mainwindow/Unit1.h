// The main window: settings store, commands and the dial; it shows the link to the compass
// module (ModuleLink) and calls it.
#pragma once

#include "base/Component.h"
#include "compass/CommandAvailability.h"
#include "compass/LinkState.h"
#include "dialogs/MainWindowAccess.h"
#include "link/ModuleLink.h"
#include "link/ReadingFeed.h"
#include "mainwindow/DialPicture.h"
#include "mainwindow/FramePacer.h"
#include "mainwindow/Heading.h"
#include "mainwindow/LabelSizes.h"
#include "mainwindow/NeedleStamps.h"
#include "mainwindow/StatusPanels.h"
#include "platform/app/Guarded.h"
#include "platform/media/MediaPlayer.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ToolBar.h"
#include "serial/Port.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QContextMenuEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace widgets {
class TBalloonHint;
class TFlatMenu;
} // namespace widgets

namespace app {

class PictureBox;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class THeadingShareForm;

// The dialogs the main window opens; all live as long as the program.
struct Dialogs {
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm4 *Form4 = nullptr;
    TForm5 *Form5 = nullptr;
    TForm6 *Form6 = nullptr;
    TForm7 *Form7 = nullptr;
    TForm8 *Form8 = nullptr;
    TForm9 *Form9 = nullptr;
    TForm10 *Form10 = nullptr;
    THeadingShareForm *ShareForm = nullptr; // the heading output
};

class DeferredCall;

// The window shows the link (ModuleLink) and carries out what it asks for; its commands call
// the link.
class TForm1 : public QWidget,
               public platform::TComponent,
               public MainWindowAccess,
               private LinkObserver {
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The dialogs, once they exist (they are created after the main window).
    void SetDialogs(const Dialogs &dialogs) { dialogs_ = dialogs; }
    // Tests put a recording player in place of the real one.
    void SetMediaPlayer(platform::IMediaPlayer *player) { player_ = player; }

    // ---- MainWindowAccess ----
    settings::SettingsStore &Settings() override { return settings_; }
    int ParametersChanged() const override { return parametersChanged_; }
    void SetParametersChanged(int value) override { parametersChanged_ = value; }
    int LastRawAngle() const override { return heading_.LastRawAngle(); }
    int HardwareOptionsValue() const override { return hardwareOptionsValue_; }
    void SetHardwareOptionsValue(int value) override { hardwareOptionsValue_ = value; }
    void ShowMainWindow() override;
    void HideMainWindow() override;
    void PlayEffect(const QString &wavFile) override;

    // The link to the module: its port, timers, state and exchanges.
    ModuleLink &Link() { return *link_; }
    // The link's state; LinkStateChanged tells each change of it.
    const LinkState &State() const { return link_->State(); }
    // From the module's answer to the link start on: readings are taken and quitting
    // hands the module over.
    bool LinkUp() const { return link_->LinkUp(); }
    // True from the handshake of an exchange with the module to its end.
    bool ExchangeRunning() const { return link_->ExchangeRunning(); }
    const HeadingState &Heading() const { return heading_; }
    // Every valid reading taken while the link is up, after the display took it.
    ReadingFeed &Readings() { return readings_; }
    // The redraws of the dial and its labels: at most one per screen frame (tests step
    // its clock).
    FramePacer &DisplayFrames() { return frames_; }
    QString StatusText(StatusPanel panel) const;
    // A note of the program's own in the operation panel (the trace that stopped).
    void ShowStatusNote(const QString &text) { SetStatusText(StatusPanel::Operation, text); }
    // The program is asked to end from outside (SIGTERM, SIGHUP, SIGINT): the quit runs as
    // the user's "Quitter" runs it, with nobody there to answer a box.
    void QuitOnRequest();
    // The longest a quit asked for can take before the program ends: an exchange that runs
    // to its end (handshake time-out and both pauses), then the hand-over's own.
    static std::chrono::milliseconds LongestQuit() { return ModuleLink::LongestQuit(); }
    // A notice from what follows the heading (the heading output), in the operation
    // panel of the status bar until the next operation's text; never a box.
    void ShowNotice(const QString &text);

    // The deviation card applied to the heading shown (the needle, "Votre CAP"), or nothing:
    // the display then shows the sensor's heading. Taken from the next reading on.
    void SetDisplayCard(std::optional<deviation::Coefficients> card) {
        heading_.SetDisplayCard(card);
    }
    // Where a deviation card is applied, in the status bar's deviation panel (`text` short,
    // `toolTip` in full); an empty text hides the panel and gives its room back.
    void ShowCardStatus(const QString &text, const QString &toolTip);

    // The device of a link that was lost has come back (the port watcher saw it, or the
    // simulated module's plug was put back): the link starts again by itself, without a
    // box, as soon as no box is open.
    void DeviceReturned();

    // ---- Handlers ----
    void FormCreate(TObject *Sender);
    void FormActivate(TObject *Sender);
    void FormCloseQuery(TObject *Sender, bool &CanClose);

    void Activezlacommunicationsrie1Click(TObject *Sender);
    void Communication1Click(TObject *Sender);
    void Optionsgraphiques1Click(TObject *Sender);
    void Optionspendule1Click(TObject *Sender);
    void Etalonnagedelaboussole1Click(TObject *Sender);
    void CentrageduzroNORD1Click(TObject *Sender);
    void Dclinaisonmagntique1Click(TObject *Sender);
    void Optionslogicielles1Click(TObject *Sender);
    void Optionsmatrielles1Click(TObject *Sender);
    void PartageducapNMEA01831Click(TObject *Sender);
    void Help1Click(TObject *Sender);
    void Aproposde1Click(TObject *Sender);
    void Quittez1Click(TObject *Sender);
    void BitBtn5Click(TObject *Sender);
    // The calibration's buttons: each ends its phase (Unit1Calibration.cpp).
    void BitBtn1Click(TObject *Sender);
    void BitBtn2Click(TObject *Sender);
    void BitBtn3Click(TObject *Sender);
    void BitBtn4Click(TObject *Sender);

    // A chunk of bytes from the module, once the link is up: read, worked out and shown.
    void SerialPort1RxChar(TObject *Sender, int Count);
    // The port's and the timers' other events are the link's (ModuleLink); these pass them on.
    void SerialPort1DSRChange(TObject *, bool OnOff) { link_->SerialPort1DSRChange(this, OnOff); }
    void SerialPort1Error(TObject *, serial::TSerialErrors Errors) {
        link_->SerialPort1Error(this, Errors);
    }
    void Timer1Timer(TObject *) { link_->Timer1Timer(); }
    void Timer2Timer(TObject *) { link_->Timer2Timer(); }

    // ---- The link's exchanges, run by the link ----
    void StartLink() { link_->StartLink(); }
    void TransferParameters() { link_->TransferParameters(); }
    // True once the module was sent the phase's command.
    bool CalibrationExchange() { return link_->CalibrationExchange(); }
    void HandOverToStandalone() { link_->HandOverToStandalone(); }
    HandshakeEnd Handshake() { return link_->Handshake(); }

    // ---- Controls ----
    platform::TMainMenu *MainMenu1 = nullptr;
    platform::TMenuItem *Paramtrage1 = nullptr, *Activezlacommunicationsrie1 = nullptr,
                        *Communication1 = nullptr, *Optionsgraphiques1 = nullptr,
                        *Optionspendule1 = nullptr, *Quittez1 = nullptr;
    platform::TMenuItem *Bousolle1 = nullptr, *Etalonnagedelaboussole1 = nullptr,
                        *CentrageduzroNORD1 = nullptr, *Dclinaisonmagntique1 = nullptr,
                        *Journalducap1 = nullptr, // the heading log's window (Forms binds it)
                            *Rgulationducompas1 = nullptr; // the compass swing (Forms binds it)
    platform::TMenuItem *Options1 = nullptr, *Optionslogicielles1 = nullptr,
                        *Optionsmatrielles1 = nullptr, *PartageducapNMEA01831 = nullptr;
    platform::TMenuItem *Aide1 = nullptr, *Help1 = nullptr, *Aproposde1 = nullptr;

    platform::TPopupMenu *PopupMenu1 = nullptr;
    platform::TMenuItem *Activerlacommunicationsrie1 = nullptr, *Portdecommunicationsrie1 = nullptr,
                        *Optionsgraphiques2 = nullptr, *ypesdemenusdroulant1 = nullptr,
                        *Etalonnagede1 = nullptr, *CentrageduzroNORD2 = nullptr,
                        *Dclinaisonmagntique2 = nullptr, *Optionslogicielles2 = nullptr,
                        *Optionmatrielles1 = nullptr, *Aide2 = nullptr, *Apropos1 = nullptr,
                        *Quitter1 = nullptr;

    platform::TImageList *ImageList1 = nullptr;
    platform::TToolBar *ToolBar1 = nullptr;
    platform::TToolButton *ToolButton1 = nullptr, *ToolButton2 = nullptr, *ToolButton3 = nullptr,
                          *ToolButton4 = nullptr, *ToolButton6 = nullptr, *ToolButton7 = nullptr;

    QFrame *Panel1 = nullptr;
    PictureBox *Image1 = nullptr;
    QLabel *Label5 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr,
           *Label10 = nullptr;
    QFrame *Panel2 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr, *BitBtn3 = nullptr, *BitBtn4 = nullptr;
    QFrame *Panel3 = nullptr;
    PictureBox *Image2 = nullptr;
    QPushButton *BitBtn5 = nullptr;
    QWidget *StatusBar1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    serial::TSerialPort *SerialPort1 = nullptr; // the link's port (the link owns it)
    widgets::TFlatMenu *FlatMenu1 = nullptr;
    widgets::TBalloonHint *BalloonHint1 = nullptr;

signals:
    void LinkStateChanged(const app::LinkState &state);

protected:
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction of the window's parts.
    void CreateControls();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateCalibrationPanel(QWidget *client);
    void ConnectLabelBalloons();

    // Shared steps of the handlers.
    void ApplyMenuStyle();
    void SaveSettingsOrSay();
    void ShowAboveAll(QWidget *dialog);
    void SetStatusText(StatusPanel panel, const QString &text);
    // The status bar's panels, the deviation's `deviationWidth` wide (0: hidden).
    void PlaceStatusPanels(int deviationWidth);
    void PlaceCompassLabels();
    void SetPanel1Colour(const QColor &colour);
    QString BalloonText(const QLabel *label) const;
    void LabelMouseEnter(QLabel *label);
    void LabelMouseLeave(QLabel *label);
    void HideBalloonIfLabelLeftCursor();

    // The commands follow the link's state, switched in the order that its change gives
    // (Unit1State.cpp).
    void BindCommands();
    void ApplyCommands(const CommandOrder &order);
    platform::TActionComponent *CommandEntry(Command command) const;

    // ---- LinkObserver: what the link asks the window to show (Unit1Link.cpp) ----
    void StateChanged(const LinkState &from, const LinkState &to) override;
    void HandshakeProgress(std::optional<int> ticks) override;
    void ShowLinkText(LinkText text) override;
    void PlayLinkSound(LinkSound sound) override;
    void ShowLinkBox(LinkBox box) override;
    void ShowWaitBox(bool shown) override;
    void ShowLink(bool up) override;
    void ChunkReceived(int count) override { SerialPort1RxChar(this, count); }
    void HeldQuitReleased() override;

    // The calibration (Unit1Calibration.cpp). The phase that waits is the one whose button
    // shows; phases are numbered from 0 here (from 1 in the link's state).
    std::array<QLabel *, 4> PhaseLabels() const;
    std::array<QPushButton *, 4> PhaseButtons() const;
    void ShowCalibrationPhase(int phase);
    void EndCalibrationPhase(int phase);

    // The display of the received chunks (Unit1Display.cpp): each chunk's state is taken
    // at once, the dial and the labels are drawn once per screen frame.
    struct PendingNeedle {
        int headingSum, length, width;
        bool hub;
        friend bool operator==(const PendingNeedle &, const PendingNeedle &) = default;
    };
    void TakeDialPicture();
    // The installation folder went away while the program runs: said once, on standard
    // error and in the status bar; the program goes on with what it had loaded.
    void TellFolderGone();
    void DrawFrame();
    void ShowHeading();
    bool DialUnchanged() const;
    void DrawNeedles();

    settings::SettingsStore settings_;
    HeadingState heading_;
    ReadingFeed readings_;
    DialPictureCache dialPictures_;
    bool folderGoneTold_ = false;
    std::optional<QImage> framePicture_;      // a fresh dial for the next frame
    std::vector<PendingNeedle> frameNeedles_; // drawn on it (or over the last) in order
    NeedleStamps needleStamps_;
    LabelSizes labelSizes_;
    // What the dial shows after the last frame: the picture it was drawn on (its cache key
    // before and after drawing) and its needle, alone on it unless needleTrail_.
    qint64 dialBase_ = 0, dialDrawn_ = 0;
    std::optional<PendingNeedle> dialNeedle_;
    bool needleTrail_ = false;
    FramePacer frames_{platform::Guarded([this] { DrawFrame(); })};
    Dialogs dialogs_;
    std::unique_ptr<platform::MediaPlayer> ownPlayer_;
    platform::IMediaPlayer *player_ = nullptr;
    std::array<QLabel *, kStatusPanelCount> statusPanels_{};

    std::unique_ptr<ModuleLink> link_;
    std::array<platform::TActionComponent *, kCommandCount> commands_{}; // by Command
    int parametersChanged_ = 0;
    int hardwareOptionsValue_ = 0;
    DeferredCall *heldQuit_ = nullptr;    // a quit asked for during an exchange
    DeferredCall *restartLink_ = nullptr; // the link of a device that came back
    QLabel *balloonLabel_ = nullptr;      // the label whose balloon shows
    bool settingsUnsaved_ = false;        // the last save failed (and that was said)
};

} // namespace app
