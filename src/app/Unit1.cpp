// The main window: its controls, creation and activation, the commands and the quit.
#include "app/Unit1.h"

#include "app/PictureBox.h"
#include "dialogs/DialogBase.h"
#include "dialogs/HelpTopics.h"
#include "dialogs/Unit10.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit7.h"
#include "dialogs/Unit8.h"
#include "dialogs/Unit9.h"
#include "platform/Application.h"
#include "platform/Errors.h"
#include "platform/Guarded.h"
#include "platform/InstallDir.h"
#include "platform/MessageBoxes.h"
#include "widgets/BalloonHint.h"
#include "widgets/FlatMenu.h"

#include <algorithm>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int ClientWidth = 363;
constexpr int ClientHeight = 475;

platform::Application &App() { return platform::Application::Instance(); }

QLabel *MakeCompassLabel(QWidget *parent) {
    auto *label = new QLabel(parent);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(9);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

void SetBackground(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

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

    CreateControls();
    adjustSize();
    CentreOnDesktop(this);
    SerialPort1 = new serial::TSerialPort(this);
    SerialPort1->SetName("SerialPort1");
    SerialPort1->SetBaudRate(serial::br9600);
    SerialPort1->SetPort("COM1");
    SerialPort1->OnRxChar = serial::TRxCharEvent(this, &TForm1::SerialPort1RxChar);
    SerialPort1->OnDSRChange = serial::TSerialSignalEvent(this, &TForm1::SerialPort1DSRChange);
    FlatMenu1 = new widgets::TFlatMenu(this);
    FlatMenu1->SetName("FlatMenu1");
    BalloonHint1 = new widgets::TBalloonHint(this);
    BalloonHint1->SetName("BalloonHint1");
    BalloonHint1->SetDivisionChar(QLatin1Char('@'));
    BalloonHint1->SetTextAlign(widgets::taCenter);

    App().SetMainForm(this, [this] { FormActivate(this); });
    FormCreate(this);
}

TForm1::~TForm1() {
    // The port's worker must stop before the window's parts go.
    try {
        SerialPort1->Close();
    } catch (...) {
        // The device is closed with the port component itself; nothing to report now.
    }
}

void TForm1::CreateControls() {
    CreateMenus();
    CreateToolBar();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(MainMenu1->MenuBar());
    auto *client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    layout->addWidget(client);

    QToolBar *toolBar = ToolBar1->Widget();
    toolBar->setParent(client);
    toolBar->setGeometry(0, 0, ClientWidth, 26);
    toolBar->setIconSize(QSize(16, 16));

    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 40, 345, 401);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(5);
    SetBackground(Panel1, Qt::white);

    Image1 = new PictureBox(Panel1);
    Image1->setGeometry(16, 40, 313, 313);
    // The dial as the window first shows it, before any reading; a missing picture
    // leaves the area empty.
    Image1->SetPicture(QImage(platform::InstallDir::File(QStringLiteral("cercle5.bmp"))));
    Label10 = MakeCompassLabel(Panel1); // top left: the heading in degrees
    Label9 = MakeCompassLabel(Panel1);  // top right: the heading's direction
    Label8 = MakeCompassLabel(Panel1);  // bottom left: the needle's angle
    Label7 = MakeCompassLabel(Panel1);  // bottom right: the needle's direction

    Label5 = new QLabel(QStringLiteral("Ventrose — boussole électronique RS-232"), Panel1);
    QFont notice(QStringLiteral("Times New Roman"));
    notice.setPointSize(9);
    notice.setItalic(true);
    Label5->setFont(notice);
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setGeometry(16, 362, 313, 24);

    // The calibration panel takes the compass panel's place while a calibration runs.
    Panel2 = new QFrame(client);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(8, 32, 345, 409);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->hide();

    CreateStatusBar();
    StatusBar1->setParent(client);
    StatusBar1->setGeometry(0, ClientHeight - 19, ClientWidth, 19);

    ProgressBar1 = new QProgressBar(client);
    ProgressBar1->setGeometry(208, 456, 89, 17);
    ProgressBar1->setRange(0, 5);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->raise();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, platform::Guarded([this] { Timer1Timer(this); }));
    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, platform::Guarded([this] { Timer2Timer(this); }));

    ConnectLabelBalloons();
}

void TForm1::CreateStatusBar() {
    StatusBar1 = new QWidget(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[2] = {300, ClientWidth - 300};
    int x = 0;
    for (int panel = 0; panel < 2; ++panel) {
        auto *label = new QLabel(StatusBar1);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setGeometry(x, 1, widths[panel] - 2, 18);
        label->setIndent(2);
        statusPanels_[panel] = label;
        x += widths[panel];
    }
}

QString TForm1::StatusText(int panel) const { return statusPanels_[panel]->text(); }

void TForm1::SetStatusText(int panel, const QString &text) { statusPanels_[panel]->setText(text); }

// Right-hand labels keep their right edge on the dial's right edge as their texts change.
void TForm1::PlaceCompassLabels() {
    const int left = Image1->x();
    const int right = Image1->x() + Image1->width();
    Label10->move(left, 14);
    Label9->move(right - Label9->width(), 14);
    Label8->move(left, 366);
    Label7->move(right - Label7->width(), 366);
}

// ---- Creation and activation -------------------------------------------------------------

void TForm1::FormCreate(TObject *) {
    Timer1->stop();
    Timer2->stop();
    SetEnabled(Etalonnagedelaboussole1, false);
    SetEnabled(Dclinaisonmagntique1, false);
    SetEnabled(CentrageduzroNORD1, false);
    for (platform::TToolButton *button : {ToolButton3, ToolButton4, ToolButton7})
        SetEnabled(button, false);
    for (platform::TMenuItem *item : {Etalonnagede1, CentrageduzroNORD2, Dclinaisonmagntique2,
                                      Optionmatrielles1, Optionsgraphiques2})
        SetEnabled(item, false);
    parametersChanged_ = 0;
    for (QLabel *label : {Label7, Label8, Label9, Label10})
        label->hide();
    SetEnabled(Optionsgraphiques1, false);
    SetEnabled(Optionsmatrielles1, false);
    linkUp_ = false;
    ProgressBar1->hide();
    SetBackground(Panel1, Qt::white);
    Label5->show();
    settings_.LoadSettings(platform::InstallDir::File(QStringLiteral("Ventrose.inf")));
    ApplyMenuStyle();
}

void TForm1::ApplyMenuStyle() {
    const bool flat = settings_.Is(MenuStyleSlot, "NOUVEAU");
    if (!flat && !settings_.Is(MenuStyleSlot, "ANCIEN"))
        return;
    FlatMenu1->SetActive(flat);
    FlatMenu1->SetAutoDetect(flat);
    FlatMenu1->SetGradient(flat);
    FlatMenu1->SetUseSystemColors(flat);
}

void TForm1::FormActivate(TObject *) {
    // While an exchange with the module runs, its port stays as it is; the end of the
    // exchange activates the main window again.
    if (exchangeRunning_)
        return;
    if (parametersChanged_ == 1) {
        parametersChanged_ = 0;
        settings_.SaveSettings(platform::InstallDir::File(QStringLiteral("Ventrose.inf")));
        TransferParameters();
        return;
    }
    SerialPort1->Close();
    if (settings_.Is(PortSlot, "1"))
        SerialPort1->SetPort("COM1");
    else if (settings_.Is(PortSlot, "2"))
        SerialPort1->SetPort("COM2");
    SerialPort1->SetBaudRate(serial::br9600);
    settings_.SaveSettings(platform::InstallDir::File(QStringLiteral("Ventrose.inf")));
    SerialPort1->Open();
    ApplyMenuStyle();
}

// ---- Command availability ----------------------------------------------------------------

namespace {
// The commands that would start an exchange with the module.
bool StartsExchange(const TForm1 &form, const void *command) {
    const void *commands[] = {form.Activezlacommunicationsrie1,
                              form.Activerlacommunicationsrie1,
                              form.ToolButton1,
                              form.Etalonnagedelaboussole1,
                              form.Etalonnagede1,
                              form.CentrageduzroNORD1,
                              form.CentrageduzroNORD2,
                              form.ToolButton3,
                              form.Dclinaisonmagntique1,
                              form.Dclinaisonmagntique2,
                              form.ToolButton4,
                              form.Optionsmatrielles1,
                              form.Optionmatrielles1,
                              form.ToolButton7};
    return std::find(std::begin(commands), std::end(commands), command) != std::end(commands);
}
} // namespace

void TForm1::SetEnabled(platform::TMenuItem *item, bool enabled) {
    wantedEnabled_[item] = enabled;
    item->SetEnabled(enabled && !(exchangeRunning_ && StartsExchange(*this, item)));
}

void TForm1::SetEnabled(platform::TToolButton *button, bool enabled) {
    wantedEnabled_[button] = enabled;
    button->SetEnabled(enabled && !(exchangeRunning_ && StartsExchange(*this, button)));
}

void TForm1::UpdateExchangeCommands() {
    for (platform::TMenuItem *item :
         {Activezlacommunicationsrie1, Activerlacommunicationsrie1, Etalonnagedelaboussole1,
          Etalonnagede1, CentrageduzroNORD1, CentrageduzroNORD2, Dclinaisonmagntique1,
          Dclinaisonmagntique2, Optionsmatrielles1, Optionmatrielles1})
        SetEnabled(item, wantedEnabled_.count(item) ? wantedEnabled_[item] : item->Enabled());
    for (platform::TToolButton *button : {ToolButton1, ToolButton3, ToolButton4, ToolButton7})
        SetEnabled(button,
                   wantedEnabled_.count(button) ? wantedEnabled_[button] : button->Enabled());
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
void TForm1::Help1Click(TObject *) { ShowHelpTopic(QStringLiteral("som")); }
void TForm1::BitBtn5Click(TObject *) { ShowHelpTopic(QStringLiteral("rub6")); }

void TForm1::Etalonnagedelaboussole1Click(TObject *) {
    // The four-phase calibration comes with its own panel; until then the command says so.
    platform::MessageBoxes::Information(
        QStringLiteral("L'étalonnage de la boussole n'est pas encore disponible."));
}

void TForm1::CentrageduzroNORD1Click(TObject *) {
    if (settings_.Is(DeclinationSlot, "0")) {
        ShowAboveAll(dialogs_.Form7);
        return;
    }
    platform::MessageBoxes::Warning(
        QStringLiteral("                       Vous ne pouvez pas CENTRER LE ZERO\n"
                       "car le réglage de la déclinaison magnétique n'est pas positionné "
                       "sur zéro."));
    if (platform::MessageBoxes::Question(
            QStringLiteral("Voulez-vous positionner automatiquement la déclinaison magnétique "
                           "sur zéro,\n                       afin d'effectuer le CENTRAGE DU "
                           "ZERO ?"))) {
        settings_.Set(DeclinationSlot, "0");
        ShowAboveAll(dialogs_.Form7);
    } else {
        Dclinaisonmagntique1Click(this);
    }
}

void TForm1::Quittez1Click(TObject *) {
    if (exchangeRunning_) {
        quitHeld_ = true; // runs when the exchange ends
        return;
    }
    if (linkUp_) {
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
        if (settings_.Is(StandaloneNoticeSlot, "ONAVERTI2"))
            platform::MessageBoxes::Information(
                QStringLiteral("La boussole est désormais configurée pour un fonctionnement "
                               "autonome.\n                Le programme va s'arrêter. Cliquez "
                               "sur OK..."));
    }
    App().Terminate();
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
    if (!settings_.Is(SoundSlot, "ONSON"))
        return;
    // A sound that cannot be played is reported, but the command that asked for it goes
    // on: no sound is worth leaving a wait for the module unfinished.
    try {
        player_->SetFileName(platform::InstallDir::File(wavFile));
        player_->Open();
        player_->Play();
    } catch (...) {
        platform::ReportHandlerException(std::current_exception());
    }
}

// ---- Balloon help ------------------------------------------------------------------------

void TForm1::ConnectLabelBalloons() {
    for (QLabel *label : {Label10, Label9, Label8, Label7}) {
        label->setAttribute(Qt::WA_Hover);
        label->installEventFilter(this);
    }
}

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    auto *label = qobject_cast<QLabel *>(watched);
    if (label && event->type() == QEvent::Enter)
        platform::Guarded([&] { LabelMouseEnter(label); })();
    else if (label && event->type() == QEvent::Leave)
        platform::Guarded([&] { LabelMouseLeave(label); })();
    return QWidget::eventFilter(watched, event);
}

QString TForm1::BalloonText(const QLabel *label) const {
    if (label == Label10)
        return QStringLiteral("C'est l'angle vers lequel@ vous vous dirigez...");
    if (label == Label9)
        return QStringLiteral("C'est la direction@ vers laquelle vous vous dirigez...");
    if (label == Label8)
        return QStringLiteral(
            "C'est l'angle décrit par l'aiguille rouge@ orientée toujours vers le NORD...");
    if (label == Label7)
        return QStringLiteral(
            "C'est la direction pointée par l'aiguille rouge@ orientée toujours vers le NORD...");
    if (label == Label2)
        return QStringLiteral("Cliquez sur le bouton n°1 pour étalonner le SUD...");
    if (label == Label3)
        return QStringLiteral("Cliquez sur le bouton n°2 pour étalonner l'EST...");
    if (label == Label1)
        return QStringLiteral("Cliquez sur le bouton n°3 pour étalonner le NORD...");
    if (label == Label4)
        return QStringLiteral("Cliquez sur le bouton n°4 pour étalonner l'OUEST...");
    return QString();
}

void TForm1::LabelMouseEnter(QLabel *label) {
    if (!settings_.Is(BalloonSlot, "ONINFO"))
        return;
    BalloonHint1->SetAlign(widgets::alLeft);
    BalloonHint1->SetHideIfMouseClick(false);
    BalloonHint1->SetHideIfMouseMove(false);
    platform::TFont font;
    font.SetStyle(0);
    font.SetName(this->font().family());
    font.SetSize(10);
    font.SetColor(platform::clBlack);
    BalloonHint1->SetFont(font);
    BalloonHint1->SetColor(platform::RGB(255, 255, 0));
    BalloonHint1->SetShape(widgets::sRoundRect);
    const QPoint at = QCursor::pos();
    BalloonHint1->ShowBalloon(at.x(), at.y(), BalloonText(label));
}

void TForm1::LabelMouseLeave(QLabel *) { BalloonHint1->HideBalloon(); }

void TForm1::contextMenuEvent(QContextMenuEvent *event) {
    PopupMenu1->Popup(event->globalPos().x(), event->globalPos().y());
}

} // namespace app
