#include "dialogs/HeadingShareDialog.h"

#include "dialogs/DialogControls.h"
#include "nmea/HeadingShare.h"
#include "platform/MessageBoxes.h"
#include "settings/OwnSettings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>

namespace app {

namespace {

QLineEdit *MakeAddressEdit(QWidget *parent, const QRect &geometry) {
    auto *edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    // A host name or an address: no blank, nothing that would end the name early.
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9.:_-]{0,253}")), edit));
    return edit;
}

QSpinBox *MakePortEdit(QWidget *parent, const QRect &geometry) {
    auto *spin = new QSpinBox(parent);
    spin->setRange(1, 65535);
    spin->setGeometry(geometry);
    return spin;
}

QString TargetList(const std::vector<nmea::OutputTarget> &targets) {
    QStringList names;
    for (const nmea::OutputTarget &target : targets)
        names << QString::fromStdString(nmea::Describe(target));
    return names.join(QStringLiteral(", "));
}

} // namespace

THeadingShareForm::THeadingShareForm(MainWindowAccess &mainWindow, nmea::HeadingShare &share)
    : TPreferenceForm(
          mainWindow,
          QCoreApplication::translate("HeadingShareDialog", "Partage du cap (NMEA 0183)"), 457, 277,
          QStringLiteral("partage")),
      share_(share) {
    GroupBox1 =
        new QGroupBox(QCoreApplication::translate("HeadingShareDialog", " Sorties : "), this);
    GroupBox1->setGeometry(8, 4, 441, 101);
    // An output with an address: its box and text, the address, then "port" and the port.
    const auto addressRow = [this](int top, const QString &text, QCheckBox *&box, QLabel *&label,
                                   auto *&address, auto *&port) {
        box = MakeCaptionlessButton<QCheckBox>(GroupBox1, QPoint(12, top + 4));
        label = MakeButtonText(box, text);
        address = MakeAddressEdit(GroupBox1, QRect(176, top, 150, 21));
        MakeLabel(GroupBox1, QCoreApplication::translate("HeadingShareDialog", "port"),
                  QPoint(334, top + 4));
        port = MakePortEdit(GroupBox1, QRect(360, top, 69, 21));
    };
    addressRow(18, QCoreApplication::translate("HeadingShareDialog", "UDP vers l'hôte"), CheckBox1,
               Label1, Edit1, SpinEdit1);
    addressRow(44, QCoreApplication::translate("HeadingShareDialog", "Serveur TCP sur l'adresse"),
               CheckBox2, Label2, Edit2, SpinEdit2);
    CheckBox3 = MakeCaptionlessButton<QCheckBox>(GroupBox1, QPoint(12, 74));
    Label3 = MakeButtonText(
        CheckBox3,
        QCoreApplication::translate("HeadingShareDialog",
                                    "Pseudo-terminal (lien NMEA du dossier d'installation)"));

    CheckBox4 = MakeCaptionlessButton<QCheckBox>(this, QPoint(20, 112));
    Label4 = MakeButtonText(CheckBox4,
                            QCoreApplication::translate("HeadingShareDialog",
                                                        "Envoyer aussi le cap vrai (HDT) : la "
                                                        "déclinaison réglée est celle du lieu"));
    Label5 = new QLabel(this);
    Label5->setGeometry(8, 134, 441, 30);
    Label5->setWordWrap(true);

    GroupBox2 =
        new QGroupBox(QCoreApplication::translate("HeadingShareDialog", " En direct : "), this);
    GroupBox2->setGeometry(8, 166, 441, 67);
    Label6 = new QLabel(GroupBox2);
    Label6->setGeometry(12, 20, 421, 18);
    Label6->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label7 = new QLabel(GroupBox2);
    Label7->setGeometry(12, 42, 421, 18);

    MakeButtons(QRect(276, 242, 81, 27), QRect(368, 242, 81, 27));

    connect(&share_, &nmea::HeadingShare::Changed, this, [this] {
        if (isVisible())
            ShowLiveState();
    });
}

void THeadingShareForm::ShowSlots() {
    ShowChoice(share_.Saved());
    ShowLiveState();
}

void THeadingShareForm::ShowChoice(const nmea::ShareSettings &settings) {
    CheckBox1->setChecked(settings.udpOn);
    Edit1->setText(settings.udpHost);
    SpinEdit1->setValue(settings.udpPort);
    CheckBox2->setChecked(settings.tcpOn);
    Edit2->setText(settings.tcpAddress);
    SpinEdit2->setValue(settings.tcpPort);
    CheckBox3->setChecked(settings.ptyOn);
    CheckBox4->setChecked(settings.trueHeading);

    QString run;
    if (!share_.RunTargets().empty())
        run = QCoreApplication::translate("HeadingShareDialog",
                                          "Pour cette exécution, la ligne de commande ajoute : %1")
                  .arg(TargetList(share_.RunTargets()));
    if (share_.RunTrueHeading())
        run += (run.isEmpty()
                    ? QCoreApplication::translate("HeadingShareDialog",
                                                  "Pour cette exécution, la ligne de commande "
                                                  "ajoute le cap vrai (HDT)")
                    : QCoreApplication::translate("HeadingShareDialog", ", cap vrai (HDT)"));
    Label5->setText(run);
}

void THeadingShareForm::ShowLiveState() {
    const QString last = share_.LastSentence();
    Label6->setText(
        QCoreApplication::translate("HeadingShareDialog", "Dernière phrase envoyée : %1")
            .arg(last.isEmpty() ? QCoreApplication::translate("HeadingShareDialog", "aucune")
                                : last));
    Label7->setText(QCoreApplication::translate("HeadingShareDialog", "Clients TCP connectés : %1")
                        .arg(share_.ConnectedClients()));
}

void THeadingShareForm::StoreControls() {
    nmea::ShareSettings settings;
    settings.udpOn = CheckBox1->isChecked();
    if (!Edit1->text().isEmpty())
        settings.udpHost = Edit1->text();
    settings.udpPort = SpinEdit1->value();
    settings.tcpOn = CheckBox2->isChecked();
    if (!Edit2->text().isEmpty())
        settings.tcpAddress = Edit2->text();
    settings.tcpPort = SpinEdit2->value();
    settings.ptyOn = CheckBox3->isChecked();
    settings.trueHeading = CheckBox4->isChecked();
    share_.SetSaved(settings);

    const auto file = settings::OpenOwnSettings();
    nmea::SaveShareSettings(*file, settings);
    if (!file->Save())
        platform::MessageBoxes::Warning(
            QCoreApplication::translate(
                "HeadingShareDialog",
                "Impossible d'enregistrer ces réglages dans %1.\nIls s'appliquent "
                "jusqu'à l'arrêt du programme.")
                .arg(settings::OwnSettingsPath()));
}

} // namespace app
