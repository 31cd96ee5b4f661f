#include "dialogs/Unit7.h"

#include "dialogs/DialogControls.h"
#include "dialogs/HelpTopics.h"
#include "platform/app/Guarded.h"
#include "platform/app/MessageBoxes.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace app {

namespace {

constexpr int NorthRawAngle = 180;

QLabel *MakeNotice(QWidget *parent, const QString &text, platform::TColor colour, int top) {
    QLabel *label = MakeLabel(parent, QString(), QPoint(12, top));
    SetBold(label);
    SetTextColour(label, colour);
    label->setText(text);
    label->adjustSize();
    return label;
}

} // namespace

TForm7::TForm7(MainWindowAccess &mainWindow)
    : TParameterForm(mainWindow, QCoreApplication::translate("TForm7", "Centrage du zéro (NORD)"),
                     441, 463) {
    GroupBox1 = new QGroupBox(
        QCoreApplication::translate("TForm7", " Réglage automatique du centrage : "), this);
    GroupBox1->setGeometry(8, 8, 425, 408);
    SetBold(GroupBox1);
    MakeNotices();
    MakeInstructions();

    BitBtn3 = MakeBitBtn(this, QCoreApplication::translate("TForm7", "&Aide"),
                         QStringLiteral("btn_aide.bmp"), QRect(256, 428, 81, 27));
    BitBtn4 = MakeBitBtn(this, QCoreApplication::translate("TForm7", "&Sortir"),
                         QStringLiteral("btn_sortir.bmp"), QRect(352, 428, 81, 27));

    connect(BitBtn1, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn2Click(); }));
    connect(BitBtn3, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn3Click(); }));
    connect(BitBtn4, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn4Click(); }));
}

QFont TForm7::PlainFont() const {
    // Only the frame's title is bold; what the frame holds starts from the dialog's font.
    QFont plain = font();
    plain.setBold(false);
    return plain;
}

void TForm7::MakeNotices() {
    Panel1 = new QFrame(GroupBox1);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(12, 24, 401, 144);
    Panel1->setFont(PlainFont());

    Label5 = MakeNotice(Panel1, QCoreApplication::translate("TForm7", "ATTENTION :"),
                        platform::clPurple, 8);
    Label6 = MakeNotice(Panel1,
                        QCoreApplication::translate(
                            "TForm7", "La procédure de centrage doit s'effectuer après étalonnage"),
                        platform::clRed, 30);
    Label7 = MakeNotice(Panel1, QCoreApplication::translate("TForm7", "de la Ventrose."),
                        platform::clRed, 46);
    Label11 =
        MakeNotice(Panel1,
                   QCoreApplication::translate(
                       "TForm7", "Cliquez sur \"RAZ centrage\" avant de procéder à l'activation"),
                   platform::clGreen, 70);
    Label12 = MakeNotice(Panel1, QCoreApplication::translate("TForm7", "d'un autre centrage."),
                         platform::clGreen, 86);
    Label9 = MakeNotice(Panel1,
                        QCoreApplication::translate(
                            "TForm7", "Sachez que la déclinaison magnétique est remise à zéro,"),
                        platform::clBlue, 110);
    Label10 = MakeNotice(
        Panel1, QCoreApplication::translate("TForm7", "lors de l'ouverture de cette fenêtre."),
        platform::clBlue, 126);
}

void TForm7::MakeInstructions() {
    auto *body = new QWidget(GroupBox1);
    body->setFont(PlainFont());
    body->setGeometry(0, 176, GroupBox1->width(), GroupBox1->height() - 176);

    Label1 =
        MakeLabel(body,
                  QCoreApplication::translate(
                      "TForm7", "Avec l'aide d'une boussole de référence, positionnez le module"),
                  QPoint(16, 4));
    Label2 = MakeLabel(body,
                       QCoreApplication::translate("TForm7", "Ventrose dans la direction du NORD."),
                       QPoint(16, 20));
    Label8 = MakeLabel(body,
                       QCoreApplication::translate(
                           "TForm7", "Cliquez ensuite sur le bouton \"Activer le centrage\"."),
                       QPoint(16, 44));
    BitBtn1 = MakeBitBtn(body, QCoreApplication::translate("TForm7", "Activer le &centrage"),
                         QStringLiteral("btn_centrage.bmp"), QRect(122, 68, 181, 31));
    BitBtn1->setCursor(Qt::PointingHandCursor);

    Bevel1 = new QFrame(body);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(12, 113, 401, 4);

    Label3 =
        MakeLabel(body,
                  QCoreApplication::translate(
                      "TForm7", "Si vous désirez effacer le centrage de la boussole, cliquez sur"),
                  QPoint(16, 128));
    Label4 = MakeLabel(body, QCoreApplication::translate("TForm7", "le bouton \"RAZ centrage\"."),
                       QPoint(16, 144));
    BitBtn2 = MakeBitBtn(body, QCoreApplication::translate("TForm7", "&RAZ centrage"),
                         QStringLiteral("btn_raz.bmp"), QRect(122, 168, 181, 31));
    BitBtn2->setCursor(Qt::PointingHandCursor);
}

void TForm7::BitBtn1Click() {
    // One reading for the whole computation: readings go on arriving while a box is open.
    const int angle = MainWindow().LastRawAngle();
    if (angle != NorthRawAngle) {
        const int offset = angle > NorthRawAngle ? angle - NorthRawAngle : NorthRawAngle - angle;
        if (offset > MaxCorrection) {
            platform::MessageBoxes::Warning(QCoreApplication::translate(
                "TForm7", "Le décalage de l'aiguille rouge (NORD) dépasse 20°. Impossible "
                          "d'effectuer le centrage."));
        } else {
            settings::SettingsView view = View();
            view.SetCentring(offset);
            view.SetCentringSign(angle > NorthRawAngle ? settings::TSign::Minus
                                                       : settings::TSign::Plus);
            platform::MessageBoxes::Information(QCoreApplication::translate(
                "TForm7", "Les nouveaux paramètres de centrage ont été pris en compte..."));
        }
    }
    ReturnToMainWindow();
}

void TForm7::BitBtn2Click() {
    View().SetCentring(0);
    platform::MessageBoxes::Information(
        QCoreApplication::translate("TForm7", "Les paramètres de centrage ont été effacés."));
    ReturnToMainWindow();
}

void TForm7::BitBtn3Click() { ShowHelpTopic(QStringLiteral("rub7")); }

void TForm7::BitBtn4Click() {
    platform::MessageBoxes::Information(
        QCoreApplication::translate("TForm7", "Vos anciens paramètres sont conservés..."));
    ReturnToMainWindow();
}

} // namespace app
