#include "dialogs/HeadingShareDialog.h"

#include "dialogs/DialogControls.h"
#include "nmea/HeadingShare.h"
#include "platform/app/MessageBoxes.h"
#include "settings/OwnSettings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace app {

namespace {

constexpr int kWidth = 457;
constexpr int kTextWidth = 441;

QLineEdit *MakeEdit(QWidget *parent, const QRect &geometry, int maxLength) {
    auto *edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    edit->setMaxLength(maxLength);
    return edit;
}

// A target as one unbreakable piece of rich text.
QString Unbroken(const nmea::OutputTarget &target) {
    return QStringLiteral("<span style=\"white-space:nowrap\">%1</span>")
        .arg(QString::fromStdString(nmea::Describe(target)).toHtmlEscaped());
}

QString TargetList(const std::vector<nmea::OutputTarget> &targets) {
    QStringList names;
    for (const nmea::OutputTarget &target : targets)
        names << QString::fromStdString(nmea::Describe(target));
    return names.join(QStringLiteral(", "));
}

// The text in lines no wider than `width`, broken at blanks only: an output's written form
// has none, so it always stays on one line ("tcp:" is never parted from its address).
QString BrokenAtBlanks(const QString &text, const QFontMetrics &metrics, int width) {
    QStringList lines;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() &&
            metrics.horizontalAdvance(lines.back() + QLatin1Char(' ') + word) <= width)
            lines.back() += QLatin1Char(' ') + word;
        else
            lines << word;
    }
    return lines.join(QLatin1Char('\n'));
}

// A port typed in a field: 1 to 65535, digits only.
std::optional<int> PortOf(const QString &text) {
    bool ok = false;
    const int port = text.toInt(&ok);
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return ok && digits && port >= 1 && port <= 65535 ? std::optional<int>(port) : std::nullopt;
}

// The label's height for its text at the dialog's width; 0 when it has none.
int HeightOf(QLabel *label, int width) {
    if (label->text().isEmpty())
        return 0;
    return label->wordWrap() ? label->heightForWidth(width) : label->sizeHint().height();
}

} // namespace

THeadingShareForm::THeadingShareForm(MainWindowAccess &mainWindow, nmea::HeadingShare &share)
    : TPreferenceForm(
          mainWindow,
          QCoreApplication::translate("HeadingShareDialog", "Partage du cap (NMEA 0183)"), kWidth,
          277, QStringLiteral("partage")),
      share_(share) {
    OutputsGroup =
        new QGroupBox(QCoreApplication::translate("HeadingShareDialog", " Sorties : "), this);
    OutputsGroup->setGeometry(8, 4, kTextWidth, 101);
    // An output with an address: its box and text, the address, then "port" and the port.
    const auto addressRow = [this](int top, const QString &text, QCheckBox *&box, QLabel *&label,
                                   QLineEdit *&address, QLineEdit *&port) {
        box = MakeCaptionlessButton<QCheckBox>(OutputsGroup, QPoint(12, top + 4));
        label = MakeButtonText(box, text);
        address = MakeEdit(OutputsGroup, QRect(176, top, 150, 21), 253);
        MakeLabel(OutputsGroup, QCoreApplication::translate("HeadingShareDialog", "port"),
                  QPoint(334, top + 4));
        port = MakeEdit(OutputsGroup, QRect(360, top, 69, 21), 5);
    };
    addressRow(18, QCoreApplication::translate("HeadingShareDialog", "UDP vers l'hôte"), UdpBox,
               UdpLabel, UdpHostEdit, UdpPortEdit);
    addressRow(44, QCoreApplication::translate("HeadingShareDialog", "Serveur TCP sur l'adresse"),
               TcpBox, TcpLabel, TcpAddressEdit, TcpPortEdit);
    PtyBox = MakeCaptionlessButton<QCheckBox>(OutputsGroup, QPoint(12, 74));
    PtyLabel = MakeButtonText(
        PtyBox, QCoreApplication::translate(
                    "HeadingShareDialog", "Pseudo-terminal (lien NMEA du dossier d'installation)"));

    TrueHeadingBox = MakeCaptionlessButton<QCheckBox>(this, QPoint(20, 112));
    TrueHeadingLabel = MakeButtonText(
        TrueHeadingBox,
        QCoreApplication::translate("HeadingShareDialog", "Envoyer aussi le cap vrai (HDT) : la "
                                                          "déclinaison réglée est celle du lieu"));
    RunChoiceLabel = new QLabel(this);
    RunChoiceLabel->setTextFormat(Qt::PlainText);
    ProblemLabel = new QLabel(this);
    ProblemLabel->setWordWrap(true);
    ProblemLabel->setStyleSheet(QStringLiteral("color: #c00000"));

    LiveGroup =
        new QGroupBox(QCoreApplication::translate("HeadingShareDialog", " En direct : "), this);
    OutputStatesLabel = new QLabel(LiveGroup);
    OutputStatesLabel->setTextFormat(Qt::RichText);
    OutputStatesLabel->setWordWrap(true);
    OutputStatesLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ClientsLabel = new QLabel(LiveGroup);

    MakeButtons(QRect(276, 242, 81, 27), QRect(368, 242, 81, 27));

    connect(&share_, &nmea::HeadingShare::Changed, this, [this] {
        if (isVisible())
            ShowLiveState();
    });
    LayOut();
}

void THeadingShareForm::LayOut() {
    int top = 134;
    const auto place = [&top](QLabel *label) {
        const int height = HeightOf(label, kTextWidth);
        label->setGeometry(8, top, kTextWidth, height);
        label->setVisible(height > 0);
        if (height > 0)
            top += height + 4;
    };
    place(RunChoiceLabel);
    place(ProblemLabel);
    const int states = std::max(18, HeightOf(OutputStatesLabel, kTextWidth - 20));
    OutputStatesLabel->setGeometry(12, 20, kTextWidth - 20, states);
    ClientsLabel->setGeometry(12, 24 + states, kTextWidth - 20, 18);
    LiveGroup->setGeometry(8, top, kTextWidth, states + 49);
    top += states + 49 + 9;
    BitBtn2->move(276, top);
    BitBtn1->move(368, top);
    const int height = top + 35;
    if (height != this->height())
        setFixedSize(kWidth, height);
}

void THeadingShareForm::ShowSlots() {
    ProblemLabel->clear();
    ShowChoice(share_.Saved());
    ShowLiveState();
}

void THeadingShareForm::ShowChoice(const nmea::ShareSettings &settings) {
    UdpBox->setChecked(settings.udpOn);
    UdpHostEdit->setText(settings.udpHost);
    UdpPortEdit->setText(QString::number(settings.udpPort));
    TcpBox->setChecked(settings.tcpOn);
    TcpAddressEdit->setText(settings.tcpAddress);
    TcpPortEdit->setText(QString::number(settings.tcpPort));
    PtyBox->setChecked(settings.ptyOn);
    TrueHeadingBox->setChecked(settings.trueHeading);

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
    RunChoiceLabel->setText(BrokenAtBlanks(run, RunChoiceLabel->fontMetrics(), kTextWidth));
    LayOut();
}

void THeadingShareForm::ShowLiveState() {
    QStringList lines;
    for (const nmea::ShareOutput *output : share_.Outputs()) {
        const QString name = Unbroken(output->Target());
        const QString problem = output->CurrentProblem();
        const QString last = output->LastDelivered();
        if (!problem.isEmpty())
            lines << QCoreApplication::translate("HeadingShareDialog",
                                                 "%1 : <span style=\"color:#c00000\">%2</span>")
                         .arg(name, problem.toHtmlEscaped());
        else if (last.isEmpty())
            lines << QCoreApplication::translate("HeadingShareDialog",
                                                 "%1 : en service, aucune phrase remise")
                         .arg(name);
        else
            lines << QCoreApplication::translate("HeadingShareDialog",
                                                 "%1 : dernière phrase remise %2")
                         .arg(name, last.toHtmlEscaped());
    }
    OutputStatesLabel->setText(
        lines.isEmpty()
            ? QCoreApplication::translate("HeadingShareDialog", "Aucune sortie en service")
            : lines.join(QStringLiteral("<br>")));
    ClientsLabel->setText(
        QCoreApplication::translate("HeadingShareDialog", "Clients TCP connectés : %1")
            .arg(share_.ConnectedClients()));
    LayOut();
}

bool THeadingShareForm::Refuse(QLineEdit *field, const QString &problem) {
    ProblemLabel->setText(problem);
    LayOut();
    field->setFocus();
    field->selectAll();
    return false;
}

bool THeadingShareForm::ControlsValid() {
    const struct {
        nmea::OutputKind kind;
        QLineEdit *host, *port;
        QString hostName, portName;
    } rows[] = {
        {nmea::OutputKind::Udp, UdpHostEdit, UdpPortEdit,
         QCoreApplication::translate("HeadingShareDialog", "Hôte UDP"),
         QCoreApplication::translate("HeadingShareDialog", "Port UDP")},
        {nmea::OutputKind::Tcp, TcpAddressEdit, TcpPortEdit,
         QCoreApplication::translate("HeadingShareDialog", "Adresse TCP"),
         QCoreApplication::translate("HeadingShareDialog", "Port TCP")},
    };
    for (const auto &row : rows) {
        if (const auto problem = nmea::HostProblem(row.kind, row.host->text().toStdString()))
            return Refuse(
                row.host,
                QCoreApplication::translate("HeadingShareDialog", "%1 « %2 » : %3.")
                    .arg(row.hostName, row.host->text(), QString::fromStdString(*problem)));
        if (!PortOf(row.port->text()))
            return Refuse(row.port, QCoreApplication::translate(
                                        "HeadingShareDialog",
                                        "%1 « %2 » : un nombre de 1 à 65535 est attendu.")
                                        .arg(row.portName, row.port->text()));
    }
    ProblemLabel->clear();
    LayOut();
    return true;
}

void THeadingShareForm::StoreControls() {
    nmea::ShareSettings settings;
    settings.udpOn = UdpBox->isChecked();
    settings.udpHost = UdpHostEdit->text();
    settings.udpPort = *PortOf(UdpPortEdit->text());
    settings.tcpOn = TcpBox->isChecked();
    settings.tcpAddress = TcpAddressEdit->text();
    settings.tcpPort = *PortOf(TcpPortEdit->text());
    settings.ptyOn = PtyBox->isChecked();
    settings.trueHeading = TrueHeadingBox->isChecked();
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

void THeadingShareForm::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        HideDialog();
        return;
    }
    TPreferenceForm::keyPressEvent(event);
}

} // namespace app
