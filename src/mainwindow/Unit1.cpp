// The main window: creation and activation, the commands and the quit.
#include "mainwindow/Unit1.h"

#include "dialogs/DialogBase.h"
#include "dialogs/HeadingShareDialog.h"
#include "dialogs/HelpTopics.h"
#include "dialogs/Unit10.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit7.h"
#include "dialogs/Unit8.h"
#include "dialogs/Unit9.h"
#include "mainwindow/DeferredCall.h"
#include "mainwindow/PictureBox.h"
#include "platform/app/Application.h"
#include "platform/app/Errors.h"
#include "platform/app/Guarded.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"
#include "widgets/BalloonHint.h"
#include "widgets/FlatMenu.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <utility>

namespace app {

namespace {

platform::Application &App() { return platform::Application::Instance(); }

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent), ownPlayer_(std::make_unique<platform::MediaPlayer>()),
      player_(ownPlayer_.get()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ventrose"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);

    link_ = std::make_unique<ModuleLink>(settings_, static_cast<LinkObserver &>(*this));
    SerialPort1 = link_->SerialPort1;
    CreateControls();
    BindCommands();
    adjustSize();
    CentreOnDesktop(this);
    FlatMenu1 = new widgets::TFlatMenu(this);
    FlatMenu1->SetName("FlatMenu1");
    platform::TFont menuFont;
    menuFont.SetName(QStringLiteral("Tahoma"));
    menuFont.SetHeight(-11);
    menuFont.SetColor(platform::clMenuText);
    FlatMenu1->SetFont(menuFont);
    FlatMenu1->SetUseSystemColors(false);
    FlatMenu1->SetGradient(true);
    BalloonHint1 = new widgets::TBalloonHint(this);
    BalloonHint1->SetName("BalloonHint1");
    BalloonHint1->SetAlign(widgets::alLeft);
    BalloonHint1->SetDivisionChar(QLatin1Char('@'));
    BalloonHint1->SetHideIfMouseMove(false);
    BalloonHint1->SetTextAlign(widgets::taCenter);

    App().SetMainForm(this, [this] { FormActivate(this); });
    // A settings file that opens but cannot be read is reported in the error box, as any
    // handler's error is; the program then runs on with the slots read so far.
    platform::Guarded([this] { FormCreate(this); })();
}

// The link goes first (its port's worker stops), then the window's parts.
TForm1::~TForm1() { link_.reset(); }

// ---- Creation and activation -------------------------------------------------------------

void TForm1::FormCreate(TObject *) {
    link_->Reset();
    ApplyCommands(CreationOrder());
    parametersChanged_ = 0;
    for (QLabel *label : {Label7, Label8, Label9, Label10})
        label->hide();
    ProgressBar1->hide();
    SetPanel1Colour(Qt::white);
    Label5->show();
    settings_.LoadSettings(platform::InstallDir::File(QStringLiteral("Ventrose.inf")));
    ApplyMenuStyle();
}

void TForm1::ApplyMenuStyle() {
    const std::optional<settings::TMenuStyle> style = View().MenuStyle();
    if (!style)
        return;
    const bool flat = *style == settings::TMenuStyle::Flat;
    FlatMenu1->SetActive(flat);
    FlatMenu1->SetAutoDetect(flat);
    FlatMenu1->SetGradient(flat);
    FlatMenu1->SetUseSystemColors(flat);
}

void TForm1::FormActivate(TObject *) {
    // While an exchange with the module runs, its port stays as it is; the end of the
    // exchange activates the main window again.
    if (link_->ExchangeRunning())
        return;
    if (parametersChanged_ == 1) {
        parametersChanged_ = 0;
        SaveSettingsOrSay();
        TransferParameters();
        return;
    }
    link_->ClosePort();
    SaveSettingsOrSay();
    link_->ReopenPort();
    ApplyMenuStyle();
}

// A settings file that cannot be written (a full or read-only folder) must not keep the
// port from opening, or the link could never start: the failure is said once, the
// activation goes on, and the next activations try again until a save succeeds.
void TForm1::SaveSettingsOrSay() {
    try {
        settings_.SaveSettings(platform::InstallDir::File(QStringLiteral("Ventrose.inf")));
    } catch (const platform::EInOutError &error) {
        if (!std::exchange(settingsUnsaved_, true))
            platform::MessageBoxes::Error(
                error.Message() + QCoreApplication::translate(
                                      "TForm1",
                                      "\n\nLes réglages ne peuvent pas être enregistrés dans le "
                                      "dossier %1.\nLe programme continue ; ils seront enregistrés "
                                      "dès que ce sera de nouveau possible.")
                                      .arg(platform::InstallDir::Path()),
                platform::BoxReturn::Quietly);
        return;
    }
    if (std::exchange(settingsUnsaved_, false))
        SetStatusText(StatusPanel::Operation,
                      QCoreApplication::translate("TForm1", "Réglages enregistrés..."));
}

// ---- Commands ----------------------------------------------------------------------------

void TForm1::ShowAboveAll(QWidget *dialog) { App().ShowForm(dialog); }

void TForm1::Activezlacommunicationsrie1Click(TObject *) { StartLink(); }
void TForm1::Communication1Click(TObject *) { ShowAboveAll(dialogs_.Form2); }
void TForm1::Optionsgraphiques1Click(TObject *) { ShowAboveAll(dialogs_.Form3); }
void TForm1::Optionspendule1Click(TObject *) { ShowAboveAll(dialogs_.Form4); }
void TForm1::Dclinaisonmagntique1Click(TObject *) { ShowAboveAll(dialogs_.Form5); }
void TForm1::Optionslogicielles1Click(TObject *) { ShowAboveAll(dialogs_.Form8); }
void TForm1::Optionsmatrielles1Click(TObject *) { ShowAboveAll(dialogs_.Form9); }
void TForm1::Aproposde1Click(TObject *) { ShowAboveAll(dialogs_.Form10); }
void TForm1::PartageducapNMEA01831Click(TObject *) {
    if (dialogs_.ShareForm != nullptr)
        ShowAboveAll(dialogs_.ShareForm);
}
void TForm1::Help1Click(TObject *) { ShowHelpTopic(QStringLiteral("som")); }
void TForm1::BitBtn5Click(TObject *) { ShowHelpTopic(QStringLiteral("rub6")); }

void TForm1::CentrageduzroNORD1Click(TObject *) {
    if (View().DeclinationIsZero()) {
        ShowAboveAll(dialogs_.Form7);
        return;
    }
    platform::MessageBoxes::Warning(QCoreApplication::translate(
        "TForm1", "                       Vous ne pouvez pas CENTRER LE ZERO\n"
                  "car le réglage de la déclinaison magnétique n'est pas positionné "
                  "sur zéro."));
    if (platform::MessageBoxes::Question(QCoreApplication::translate(
            "TForm1", "Voulez-vous positionner automatiquement la déclinaison magnétique "
                      "sur zéro,\n                       afin d'effectuer le CENTRAGE DU "
                      "ZERO ?"))) {
        View().SetDeclination(0);
        ShowAboveAll(dialogs_.Form7);
    } else {
        Dclinaisonmagntique1Click(this);
    }
}

void TForm1::Quittez1Click(TObject *) {
    if (link_->ExchangeRunning()) {
        link_->HoldQuit(); // runs when the exchange ends
        return;
    }
    if (link_->LinkUp()) {
        parametersChanged_ = 0;
        // A module that cannot be reached (its adapter was pulled) must not keep the user
        // from quitting: the failure is reported and the program ends all the same,
        // without claiming that the module went stand-alone.
        try {
            HandOverToStandalone();
        } catch (...) {
            // Closing this box must not reopen the port that has just failed.
            platform::MessageBoxes::Error(platform::ExceptionMessage(std::current_exception()),
                                          platform::BoxReturn::Quietly);
            App().Terminate();
            return;
        }
        if (App().Terminated())
            return;
        // A device lost during the hand-over leaves the module as it was.
        if (link_->LinkUp() && View().On(settings::TSwitch::StandaloneNotice))
            platform::MessageBoxes::Information(QCoreApplication::translate(
                "TForm1", "La boussole est désormais configurée pour un fonctionnement "
                          "autonome.\n                Le programme va s'arrêter. Cliquez "
                          "sur OK..."));
    }
    App().Terminate();
}

void TForm1::QuitOnRequest() {
    App().SetUnattended();
    heldQuit_->Request(); // once the boxes it closed are gone, and after a running exchange
}

void TForm1::FormCloseQuery(TObject *, bool &CanClose) {
    Quittez1Click(this);
    // The window closes only when the quit went through; a held or failed quit keeps it.
    CanClose = App().Terminated();
}

void TForm1::closeEvent(QCloseEvent *event) {
    bool canClose = false;
    platform::Guarded([&] { FormCloseQuery(this, canClose); })();
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TForm1::ShowMainWindow() { App().ShowMainForm(); }
void TForm1::HideMainWindow() { App().HideMainForm(); }

void TForm1::PlayEffect(const QString &wavFile) {
    if (!View().On(settings::TSwitch::Sound))
        return;
    // A sound that cannot be played is reported, but the command that asked for it goes
    // on: no sound is worth leaving a wait for the module unfinished.
    try {
        player_->SetFileName(platform::InstallDir::File(wavFile));
        player_->Open();
        player_->Play();
    } catch (...) {
        // A sound never played before the folder went cannot be had any more: that is
        // what the note says, not a box per sound.
        if (!QFileInfo::exists(platform::InstallDir::Path()))
            TellFolderGone();
        else
            platform::ReportHandlerException(std::current_exception());
    }
}

void TForm1::contextMenuEvent(QContextMenuEvent *event) {
    PopupMenu1->Popup(event->globalPos().x(), event->globalPos().y());
}

} // namespace app
