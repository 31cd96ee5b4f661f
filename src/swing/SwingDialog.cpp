#include "swing/SwingDialog.h"

#include "compass/Angles.h"
#include "deviation/Curve.h"
#include "dialogs/HelpTopics.h"
#include "platform/app/Guarded.h"
#include "settings/OwnSettings.h"
#include "swing/DeviationCard.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <cstring>

namespace swing {

namespace {

constexpr int kWidth = 980;
constexpr int kHeight = 700;

QString Tr(const char *text) { return QCoreApplication::translate("SwingDialog", text); }

QString Degrees(double value) { return QString::number(value, 'f', 1); }

QTableWidgetItem *Cell(const QString &text, Qt::Alignment alignment = Qt::AlignRight) {
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidget *MakeTable(QWidget *parent, const QStringList &titles) {
    auto *table = new QTableWidget(0, int(titles.size()), parent);
    table->setHorizontalHeaderLabels(titles);
    table->verticalHeader()->setDefaultSectionSize(18);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

// A typed bearing: a number from 0 to 360, a comma taken for the full stop.
std::optional<double> BearingOf(QString text) {
    text = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 360)
        return std::nullopt;
    return compass::Reduce360Real(value);
}

} // namespace

TSwingForm::TSwingForm(app::MainWindowAccess &mainWindow, SwingInputs &inputs)
    : TDialogForm(mainWindow, Tr(QT_TRANSLATE_NOOP("SwingDialog", "Régulation du compas")), kWidth,
                  kHeight),
      inputs_(inputs) {
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    layout->addLayout(left, 5);
    layout->addLayout(right, 4);

    auto *about = new QGridLayout;
    about->addWidget(new QLabel(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Date :")), this), 0, 0);
    DateEdit = new QLineEdit(this);
    about->addWidget(DateEdit, 0, 1);
    about->addWidget(new QLabel(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Lieu :")), this), 0, 2);
    PlaceEdit = new QLineEdit(this);
    about->addWidget(PlaceEdit, 0, 3);
    about->setColumnStretch(3, 1);
    left->addLayout(about);

    auto *takeGroup =
        new QGroupBox(Tr(QT_TRANSLATE_NOOP("SwingDialog", " Relevé d'un point : ")), this);
    auto *take = new QGridLayout(takeGroup);
    LiveLabel = new QLabel(takeGroup);
    take->addWidget(LiveLabel, 0, 0, 1, 3);
    referenceGroup_ = new QButtonGroup(this);
    MagneticButton =
        new QRadioButton(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Relèvement magnétique")), takeGroup);
    TrueButton =
        new QRadioButton(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Relèvement vrai")), takeGroup);
    GnssButton =
        new QRadioButton(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Route fond GNSS")), takeGroup);
    MagneticButton->setChecked(true);
    int id = 0;
    for (QRadioButton *button : {MagneticButton, TrueButton, GnssButton})
        referenceGroup_->addButton(button, id++);
    take->addWidget(MagneticButton, 1, 0);
    take->addWidget(TrueButton, 2, 0);
    take->addWidget(GnssButton, 3, 0);
    take->addWidget(new QLabel(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Relèvement (°) :")), takeGroup),
                    1, 1);
    BearingEdit = new QLineEdit(takeGroup);
    BearingEdit->setMaxLength(8);
    take->addWidget(BearingEdit, 1, 2);
    DeclinationChoice = new QComboBox(takeGroup);
    take->addWidget(DeclinationChoice, 2, 1, 1, 2);
    GnssLabel = new QLabel(takeGroup);
    GnssLabel->setWordWrap(true);
    take->addWidget(GnssLabel, 3, 1, 1, 2);
    TakeButton = new QPushButton(Tr(QT_TRANSLATE_NOOP("SwingDialog", "&Relever")), takeGroup);
    take->addWidget(TakeButton, 4, 0);
    MessageLabel = new QLabel(takeGroup);
    MessageLabel->setWordWrap(true);
    take->addWidget(MessageLabel, 4, 1, 1, 2);
    take->setColumnStretch(2, 1);
    left->addWidget(takeGroup);

    PointsTable = MakeTable(this, {Tr(QT_TRANSLATE_NOOP("SwingDialog", "Cap compas")),
                                   Tr(QT_TRANSLATE_NOOP("SwingDialog", "Cap magnétique")),
                                   Tr(QT_TRANSLATE_NOOP("SwingDialog", "Source")),
                                   Tr(QT_TRANSLATE_NOOP("SwingDialog", "Heure")),
                                   Tr(QT_TRANSLATE_NOOP("SwingDialog", "Déviation")),
                                   Tr(QT_TRANSLATE_NOOP("SwingDialog", "Résidu")),
                                   Tr(QT_TRANSLATE_NOOP("SwingDialog", "Aberrant"))});
    left->addWidget(PointsTable, 1);
    auto *pointButtons = new QHBoxLayout;
    RemoveButton =
        new QPushButton(Tr(QT_TRANSLATE_NOOP("SwingDialog", "&Supprimer le point")), this);
    pointButtons->addWidget(RemoveButton);
    pointButtons->addStretch(1);
    left->addLayout(pointButtons);
    FitLabel = new QLabel(this);
    FitLabel->setWordWrap(true);
    FitLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    left->addWidget(FitLabel);

    auto *applyGroup =
        new QGroupBox(Tr(QT_TRANSLATE_NOOP("SwingDialog", " Appliquer la carte : ")), this);
    auto *apply = new QHBoxLayout(applyGroup);
    OutputBox =
        new QCheckBox(Tr(QT_TRANSLATE_NOOP("SwingDialog", "à la sortie du cap")), applyGroup);
    LogBox = new QCheckBox(Tr(QT_TRANSLATE_NOOP("SwingDialog", "au journal du cap")), applyGroup);
    DisplayBox = new QCheckBox(Tr(QT_TRANSLATE_NOOP("SwingDialog", "au cap affiché")), applyGroup);
    for (QCheckBox *box : {OutputBox, LogBox, DisplayBox})
        apply->addWidget(box);
    left->addWidget(applyGroup);
    SaveLabel = new QLabel(this);
    SaveLabel->setWordWrap(true);
    SaveLabel->setStyleSheet(QStringLiteral("color: #c00000"));
    SaveLabel->hide();
    left->addWidget(SaveLabel);

    ChartView = new QChartView(this);
    ChartView->setRenderHint(QPainter::Antialiasing);
    ChartView->setMinimumHeight(300);
    right->addWidget(ChartView, 3);
    CardTable = MakeTable(this, {Tr(QT_TRANSLATE_NOOP("SwingDialog", "Cap compas")),
                                 Tr(QT_TRANSLATE_NOOP("SwingDialog", "Déviation")),
                                 Tr(QT_TRANSLATE_NOOP("SwingDialog", "Cap magnétique"))});
    right->addWidget(CardTable, 2);
    auto *buttons = new QHBoxLayout;
    CsvButton = new QPushButton(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Exporter en &CSV...")), this);
    PdfButton = new QPushButton(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Exporter en &PDF...")), this);
    HelpButton = MakeBitBtn(this, QCoreApplication::translate("Dialogs", "&Aide"),
                            QStringLiteral("btn_aide.bmp"), QRect(0, 0, 81, 27));
    CloseButton = new QPushButton(Tr(QT_TRANSLATE_NOOP("SwingDialog", "&Fermer")), this);
    for (QPushButton *button : {CsvButton, PdfButton, HelpButton, CloseButton})
        buttons->addWidget(button);
    right->addLayout(buttons);

    takeTimer_ = new QTimer(this);
    takeTimer_->setInterval(kTickMilliseconds);
    connect(takeTimer_, &QTimer::timeout, this, platform::Guarded([this] { Tick(); }));
    connect(TakeButton, &QPushButton::clicked, this, platform::Guarded([this] { StartTake(); }));
    connect(RemoveButton, &QPushButton::clicked, this,
            platform::Guarded([this] { RemoveSelected(); }));
    connect(referenceGroup_, &QButtonGroup::idClicked, this,
            platform::Guarded([this] { ShowReferenceChoice(); }));
    for (QCheckBox *box : {OutputBox, LogBox, DisplayBox})
        connect(box, &QCheckBox::toggled, this, platform::Guarded([this] {
                    record_.apply = {OutputBox->isChecked(), LogBox->isChecked(),
                                     DisplayBox->isChecked()};
                    Save();
                }));
    for (QLineEdit *edit : {DateEdit, PlaceEdit})
        connect(edit, &QLineEdit::editingFinished, this, platform::Guarded([this] {
                    if (record_.date == DateEdit->text() && record_.place == PlaceEdit->text())
                        return;
                    record_.date = DateEdit->text();
                    record_.place = PlaceEdit->text();
                    Save();
                }));
    connect(CsvButton, &QPushButton::clicked, this,
            platform::Guarded([this] { AskAndExport(false); }));
    connect(PdfButton, &QPushButton::clicked, this,
            platform::Guarded([this] { AskAndExport(true); }));
    connect(HelpButton, &QPushButton::clicked, this,
            platform::Guarded([] { app::ShowHelpTopic(QStringLiteral("regulation")); }));
    connect(CloseButton, &QPushButton::clicked, this, platform::Guarded([this] { HideDialog(); }));

    {
        settings::OwnSettings file(settings::OwnSettingsPath());
        record_ = LoadSwing(file);
    }
    DateEdit->setText(record_.date);
    PlaceEdit->setText(record_.place);
    for (auto [box, on] : {std::pair{OutputBox, record_.apply.headingOutput},
                           std::pair{LogBox, record_.apply.headingLog},
                           std::pair{DisplayBox, record_.apply.display}}) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    LiveLabel->setText(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Cap compas : aucune mesure")));
    ShowDeclinationChoice();
    ShowReferenceChoice();
    ShowRecord();
}

// The line edits lose their focus as the dialog's widgets go, after this object's own part
// is gone: their "editing finished" must not reach it then.
TSwingForm::~TSwingForm() {
    for (QLineEdit *edit : {DateEdit, PlaceEdit})
        disconnect(edit, nullptr, this, nullptr);
}

void TSwingForm::FormActivate() { InputsChanged(); }

void TSwingForm::InputsChanged() {
    ShowDeclinationChoice();
    ShowReferenceChoice();
}

void TSwingForm::ShowDeclinationChoice() {
    const int chosen = std::max(0, DeclinationChoice->currentIndex());
    const QSignalBlocker quiet(DeclinationChoice);
    DeclinationChoice->clear();
    if (const auto ofSettings = inputs_.SettingsDeclination())
        DeclinationChoice->addItem(
            Tr(QT_TRANSLATE_NOOP("SwingDialog", "avec la déclinaison des réglages (%1°)"))
                .arg(Fixed(*ofSettings, true)));
    else
        DeclinationChoice->addItem(
            Tr(QT_TRANSLATE_NOOP("SwingDialog", "avec la déclinaison des réglages (illisible)")));
    if (const auto place = inputs_.PlaceDeclination())
        DeclinationChoice->addItem(
            Tr(QT_TRANSLATE_NOOP("SwingDialog", "avec la déclinaison du lieu (%1°)"))
                .arg(Fixed(*place, true)));
    DeclinationChoice->setCurrentIndex(std::min(chosen, DeclinationChoice->count() - 1));
}

void TSwingForm::ShowReferenceChoice() {
    BearingEdit->setEnabled(!GnssButton->isChecked());
    DeclinationChoice->setEnabled(TrueButton->isChecked());
    const std::optional<GnssReference> gnss = inputs_.Reference();
    GnssButton->setEnabled(gnss.has_value());
    if (!gnss)
        GnssLabel->setText(Tr(QT_TRANSLATE_NOOP("SwingDialog", "pas de récepteur GNSS")));
    else if (gnss->usable)
        GnssLabel->setText(Tr(QT_TRANSLATE_NOOP("SwingDialog", "route magnétique %1°"))
                               .arg(Degrees(gnss->magneticCourse)));
    else
        GnssLabel->setText(gnss->reason);
}

std::optional<double> TSwingForm::ReferenceHeading(ReferenceKind &kind, QString &refusal) const {
    if (GnssButton->isChecked()) {
        kind = ReferenceKind::Gnss;
        const std::optional<GnssReference> gnss = inputs_.Reference();
        if (!gnss) {
            refusal = Tr(QT_TRANSLATE_NOOP("SwingDialog", "pas de récepteur GNSS"));
            return std::nullopt;
        }
        if (!gnss->usable) {
            refusal = Tr(QT_TRANSLATE_NOOP("SwingDialog", "la route GNSS ne convient pas : %1"))
                          .arg(gnss->reason);
            return std::nullopt;
        }
        return compass::Reduce360Real(gnss->magneticCourse);
    }
    const std::optional<double> bearing = BearingOf(BearingEdit->text());
    if (!bearing) {
        refusal = Tr(QT_TRANSLATE_NOOP("SwingDialog",
                                       "relèvement « %1 » : un nombre de 0 à 360 est attendu"))
                      .arg(BearingEdit->text());
        return std::nullopt;
    }
    if (MagneticButton->isChecked()) {
        kind = ReferenceKind::TypedMagnetic;
        return bearing;
    }
    kind = ReferenceKind::TypedTrue;
    const auto place = inputs_.PlaceDeclination();
    const bool ofPlace = DeclinationChoice->currentIndex() == 1 && place;
    if (ofPlace)
        return MagneticFromTrue(*bearing, *place);
    const std::optional<double> ofSettings = inputs_.SettingsDeclination();
    if (!ofSettings) {
        refusal = Tr(
            QT_TRANSLATE_NOOP("SwingDialog", "la déclinaison des réglages ne peut pas être lue"));
        return std::nullopt;
    }
    return MagneticFromTrue(*bearing, *ofSettings);
}

void TSwingForm::StartTake() {
    QString refusal;
    pendingReference_ = ReferenceHeading(pendingKind_, refusal);
    if (!pendingReference_) {
        MessageLabel->setStyleSheet(QStringLiteral("color: #c00000"));
        MessageLabel->setText(refusal);
        return;
    }
    take_.Start(inputs_.Now());
    takeTimer_->start();
    TakeButton->setEnabled(false);
    MessageLabel->setStyleSheet(QString());
    MessageLabel->setText(
        Tr(QT_TRANSLATE_NOOP("SwingDialog", "Relevé en cours : gardez le cap %1 s..."))
            .arg(double(kTakeDuration.count()) / 1000));
}

void TSwingForm::Reading(double compassHeading, Millis at) {
    LiveLabel->setText(
        Tr(QT_TRANSLATE_NOOP("SwingDialog", "Cap compas : %1°")).arg(Degrees(compassHeading)));
    if (const auto outcome = take_.Add(compassHeading, at))
        EndTake(*outcome);
}

void TSwingForm::Tick() {
    if (const auto outcome = take_.Tick(inputs_.Now()))
        EndTake(*outcome);
}

void TSwingForm::EndTake(const TakeOutcome &outcome) {
    takeTimer_->stop();
    TakeButton->setEnabled(true);
    if (!outcome.heading) {
        MessageLabel->setStyleSheet(QStringLiteral("color: #c00000"));
        MessageLabel->setText(
            Tr(QT_TRANSLATE_NOOP("SwingDialog", "Point refusé : %1.")).arg(outcome.refusal));
        return;
    }
    const QDateTime now = inputs_.WallClock();
    record_.entries.push_back({*outcome.heading, *pendingReference_, pendingKind_, now});
    // A swing without a date is dated by its first point.
    if (record_.date.isEmpty()) {
        record_.date = QLocale().toString(now.date(), QLocale::ShortFormat);
        DateEdit->setText(record_.date);
    }
    MessageLabel->setStyleSheet(QString());
    MessageLabel->setText(
        Tr(QT_TRANSLATE_NOOP("SwingDialog",
                             "Point %1 : cap compas %2° (%3 mesures, écart type %4°)."))
            .arg(record_.entries.size())
            .arg(Degrees(*outcome.heading))
            .arg(outcome.readings)
            .arg(QString::number(outcome.spread, 'f', 2)));
    ShowRecord();
    Save();
}

void TSwingForm::RemoveSelected() {
    const int row = PointsTable->currentRow();
    if (row < 0 || row >= int(record_.entries.size()))
        return;
    record_.entries.erase(record_.entries.begin() + row);
    ShowRecord();
    Save();
}

// The view takes the new chart but only lets go of the one it showed (the one it made
// itself, at first): that one is deleted here.
void TSwingForm::ShowChart(QChart *chart) {
    QChart *previous = ChartView->chart();
    ChartView->setChart(chart);
    delete previous;
}

void TSwingForm::ShowRecord() {
    const deviation::FitOutcome outcome = record_.Fit();
    fit_ = outcome.fit;
    PointsTable->setRowCount(int(record_.entries.size()));
    for (int row = 0; row < int(record_.entries.size()); ++row) {
        const SwingEntry &entry = record_.entries[std::size_t(row)];
        PointsTable->setItem(row, 0, Cell(Degrees(entry.compass)));
        PointsTable->setItem(row, 1, Cell(Degrees(entry.magnetic)));
        PointsTable->setItem(row, 2, Cell(KindName(entry.kind), Qt::AlignLeft));
        PointsTable->setItem(row, 3,
                             Cell(entry.taken.toString(QStringLiteral("HH:mm:ss")), Qt::AlignLeft));
        PointsTable->setItem(
            row, 4, Cell(Fixed(compass::Signed180Real(entry.magnetic - entry.compass), true)));
        const deviation::FittedPoint *fitted = fit_ ? &fit_->points[std::size_t(row)] : nullptr;
        PointsTable->setItem(row, 5, Cell(fitted ? Fixed(fitted->residual, true) : QString()));
        QTableWidgetItem *flag = Cell(
            fitted && fitted->outlier ? Tr(QT_TRANSLATE_NOOP("SwingDialog", "oui")) : QString(),
            Qt::AlignCenter);
        if (fitted && fitted->outlier)
            flag->setForeground(QColor(200, 0, 0));
        PointsTable->setItem(row, 6, flag);
    }

    const bool card = fit_.has_value();
    CsvButton->setEnabled(card);
    PdfButton->setEnabled(card);
    if (!card) {
        FitLabel->setStyleSheet(QStringLiteral("color: #c00000"));
        FitLabel->setText(Tr(QT_TRANSLATE_NOOP("SwingDialog", "Pas de carte : %1."))
                              .arg(QString::fromStdString(outcome.refusal)));
        ShowChart(new QChart);
        CardTable->setRowCount(0);
        return;
    }
    FitLabel->setStyleSheet(QString());
    FitLabel->setText(QStringLiteral("%1   RMS=%2")
                          .arg(CoefficientsLine(fit_->coefficients), Fixed(fit_->rms, false)));
    ShowChart(MakeCardChart(*fit_));
    const std::vector<ShownRow> rows = ShownCard(fit_->coefficients);
    CardTable->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        const ShownRow &shown = rows[std::size_t(row)];
        CardTable->setItem(row, 0, Cell(QString::number(shown.compass)));
        CardTable->setItem(row, 1, Cell(shown.deviation));
        CardTable->setItem(row, 2, Cell(shown.magnetic));
    }
}

void TSwingForm::Save() {
    settings::OwnSettings file(settings::OwnSettingsPath());
    SaveSwing(file, record_);
    if (file.Save()) {
        SaveLabel->hide();
        emit CardChanged();
        return;
    }
    const int error = file.LastError();
    SaveLabel->setText(
        Tr(QT_TRANSLATE_NOOP("SwingDialog",
                             "Impossible d'enregistrer la régulation dans %1%2. Elle vaut jusqu'à "
                             "l'arrêt du programme."))
            .arg(settings::OwnSettingsPath(),
                 error != 0 ? QStringLiteral(" : ") + QString::fromLocal8Bit(std::strerror(error))
                            : QString()));
    SaveLabel->show();
}

QString TSwingForm::ExportCsv(const QString &path) {
    return fit_ ? WriteCardCsv(path, fit_->coefficients) : FitLabel->text();
}

QString TSwingForm::ExportPdf(const QString &path) {
    return fit_ ? WriteCardPdf(path, *fit_, {record_.date, record_.place}) : FitLabel->text();
}

void TSwingForm::AskAndExport(bool pdf) {
    const QString path = QFileDialog::getSaveFileName(
        this,
        pdf ? Tr(QT_TRANSLATE_NOOP("SwingDialog", "Exporter la carte en PDF"))
            : Tr(QT_TRANSLATE_NOOP("SwingDialog", "Exporter la carte en CSV")),
        QString(),
        pdf ? Tr(QT_TRANSLATE_NOOP("SwingDialog", "Documents PDF (*.pdf)"))
            : Tr(QT_TRANSLATE_NOOP("SwingDialog", "Fichiers CSV (*.csv)")));
    if (path.isEmpty())
        return;
    const QString problem = pdf ? ExportPdf(path) : ExportCsv(path);
    MessageLabel->setStyleSheet(problem.isEmpty() ? QString() : QStringLiteral("color: #c00000"));
    MessageLabel->setText(
        problem.isEmpty()
            ? Tr(QT_TRANSLATE_NOOP("SwingDialog", "Carte enregistrée dans %1.")).arg(path)
            : Tr(QT_TRANSLATE_NOOP("SwingDialog", "La carte n'est pas enregistrée : %1."))
                  .arg(problem));
}

} // namespace swing
