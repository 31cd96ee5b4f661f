#include "dialogs/DeclinationCalculator.h"

#include "dialogs/DialogControls.h"
#include "dialogs/HelpTopics.h"
#include "geomag/Coordinates.h"
#include "geomag/Declination.h"
#include "geomag/Warnings.h"
#include "nmea/ShareSettings.h"
#include "platform/Guarded.h"
#include "settings/OwnSettings.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace app {

namespace {

const QString LatitudeKey = QStringLiteral("DeclinationCalculator/Latitude");
const QString LongitudeKey = QStringLiteral("DeclinationCalculator/Longitude");
const QString HelpTopic = QStringLiteral("declinaison-lieu");

// Tenths of a degree with the French decimal comma.
QString Degrees(double value) {
    return QString::number(value, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString SideAndSize(double declination) {
    const QString size = Degrees(std::fabs(declination));
    if (size == QStringLiteral("0,0"))
        return QStringLiteral("0,0°");
    return size + (declination > 0
                       ? QCoreApplication::translate("DeclinationCalculator", "° EST")
                       : QCoreApplication::translate("DeclinationCalculator", "° OUEST"));
}

QLineEdit *MakeField(QWidget *parent, const QString &example, const QRect &geometry) {
    auto *field = new QLineEdit(parent);
    field->setGeometry(geometry);
    field->setPlaceholderText(example);
    field->setToolTip(QCoreApplication::translate("DeclinationCalculator",
                                                  "Degrés décimaux (%1) ou degrés et minutes")
                          .arg(example));
    return field;
}

} // namespace

TDeclinationCalculator::TDeclinationCalculator(QWidget *parent, Today today)
    : QGroupBox(QCoreApplication::translate("DeclinationCalculator", " Calculer pour un lieu :"),
                parent) {
    MakeLabel(this, QCoreApplication::translate("DeclinationCalculator", "Latitude :"),
              QPoint(12, 29));
    LatitudeEdit = MakeField(
        this, QCoreApplication::translate("DeclinationCalculator", "48.8566 ou 48 51.4 N"),
        QRect(82, 26, 156, 21));
    MakeLabel(this, QCoreApplication::translate("DeclinationCalculator", "Longitude :"),
              QPoint(12, 57));
    LongitudeEdit =
        MakeField(this, QCoreApplication::translate("DeclinationCalculator", "2.3522 ou 2 21.1 E"),
                  QRect(82, 54, 156, 21));
    MakeLabel(this, QCoreApplication::translate("DeclinationCalculator", "Date :"), QPoint(12, 85));
    DateEdit = new QDateEdit(today(), this);
    DateEdit->setGeometry(82, 82, 100, 21);
    DateEdit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DateEdit->setCalendarPopup(true);
    DateEdit->setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));

    ComputeButton =
        new QPushButton(QCoreApplication::translate("DeclinationCalculator", "&Calculer"), this);
    ComputeButton->setGeometry(12, 112, 110, 25);
    ApplyButton =
        new QPushButton(QCoreApplication::translate("DeclinationCalculator", "A&ppliquer"), this);
    ApplyButton->setGeometry(128, 112, 110, 25);
    ApplyButton->setEnabled(false);
    HelpButton = new QPushButton(QStringLiteral("?"), this);
    HelpButton->setGeometry(212, 81, 26, 23);
    HelpButton->setToolTip(
        QCoreApplication::translate("DeclinationCalculator", "Aide du calcul de la déclinaison"));

    ResultLabel = new QLabel(this);
    SetBold(ResultLabel);
    ResultLabel->setGeometry(12, 146, 226, 32);
    ResultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    WarningLabel = new QLabel(this);
    SetTextColour(WarningLabel, platform::clRed);
    WarningLabel->setGeometry(12, 180, 226, 104);
    WarningLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    WarningLabel->setWordWrap(true);
    AssumptionLabel =
        new QLabel(QCoreApplication::translate("DeclinationCalculator",
                                               "Modèle WMM2025. Latitude géodésique (WGS84), "
                                               "altitude 0 sur l'ellipsoïde."),
                   this);
    AssumptionLabel->setGeometry(12, 286, 226, 28);
    AssumptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    AssumptionLabel->setWordWrap(true);
    AssumptionLabel->setEnabled(false); // the greyed text of a remark

    connect(ComputeButton, &QPushButton::clicked, this, platform::Guarded([this] { Compute(); }));
    connect(ApplyButton, &QPushButton::clicked, this, platform::Guarded([this] { Apply(); }));
    connect(HelpButton, &QPushButton::clicked, this,
            platform::Guarded([] { ShowHelpTopic(HelpTopic); }));
    for (QLineEdit *field : {LatitudeEdit, LongitudeEdit}) {
        connect(field, &QLineEdit::textEdited, this, [this] { ForgetResult(); });
        connect(field, &QLineEdit::returnPressed, this, platform::Guarded([this] { Compute(); }));
    }
    connect(DateEdit, &QDateEdit::dateChanged, this, [this] { ForgetResult(); });
    LoadPlace();
}

void TDeclinationCalculator::Compute() {
    ForgetResult();
    const std::optional<double> latitude =
        ReadCoordinate(LatitudeEdit, geomag::Axis::Latitude,
                       QCoreApplication::translate("DeclinationCalculator", "Latitude"));
    if (!latitude)
        return;
    const std::optional<double> longitude =
        ReadCoordinate(LongitudeEdit, geomag::Axis::Longitude,
                       QCoreApplication::translate("DeclinationCalculator", "Longitude"));
    if (!longitude)
        return;

    const QDate date = DateEdit->date();
    const geomag::DeclinationEstimate estimate = geomag::EstimateDeclination(
        {*latitude, *longitude, 0.0},
        std::chrono::year_month_day{std::chrono::year(date.year()),
                                    std::chrono::month(unsigned(date.month())),
                                    std::chrono::day(unsigned(date.day()))});

    QStringList warnings;
    for (const std::string &warning : geomag::EstimateWarnings(estimate))
        warnings << QString::fromStdString(warning);
    const std::optional<DeclinationSetting> setting = SettingFor(estimate.declination);
    QString result = QCoreApplication::translate("DeclinationCalculator", "Déclinaison : %1 ± %2°")
                         .arg(SideAndSize(estimate.declination), Degrees(estimate.uncertainty));
    if (estimate.zone == geomag::PolarZone::Blackout) {
        warnings << QCoreApplication::translate("DeclinationCalculator", "Rien n'est appliqué.");
    } else {
        applicable_ = setting;
        declination_ = estimate.declination;
        // Beyond its range the module takes the nearest it holds; the heading output's
        // variation still gets the place's value.
        if (!setting) {
            applicable_ =
                SettingFor(estimate.declination < 0 ? -MaxModuleDeclination : MaxModuleDeclination);
            warnings << QCoreApplication::translate(
                            "DeclinationCalculator",
                            "Elle dépasse %1° : le module en reçoit %1°, le partage du cap "
                            "(NMEA 0183) la valeur du lieu.")
                            .arg(MaxModuleDeclination);
        }
        result +=
            QCoreApplication::translate("DeclinationCalculator", "\nAppliquer : %1° %2, plage %3")
                .arg(applicable_->degrees)
                .arg(applicable_->west
                         ? QCoreApplication::translate("DeclinationCalculator", "OUEST")
                         : QCoreApplication::translate("DeclinationCalculator", "EST"))
                .arg(applicable_->range);
    }
    if (!StorePlace())
        warnings << QCoreApplication::translate("DeclinationCalculator",
                                                "Le lieu n'a pas pu être retenu dans %1.")
                        .arg(QStringLiteral("Ventrose.conf"));
    ResultLabel->setText(result);
    WarningLabel->setText(warnings.join(QLatin1Char('\n')));
    ApplyButton->setEnabled(applicable_.has_value());
}

void TDeclinationCalculator::Apply() {
    if (!applicable_)
        return;
    if (onApply)
        onApply(*applicable_);
    // A west declination is added to the heading: the readings carry it positive.
    const long long declination = applicable_->west ? applicable_->degrees : -applicable_->degrees;
    const std::unique_ptr<QSettings> own = settings::OpenOwnSettings();
    const nmea::PlaceVariation place = nmea::SavePlaceVariation(*own, declination_, declination);
    own->sync();
    emit PlaceApplied(place);
}

std::optional<double> TDeclinationCalculator::ReadCoordinate(QLineEdit *field, geomag::Axis axis,
                                                             const QString &name) {
    const geomag::CoordinateReading reading =
        geomag::ReadCoordinate(field->text().toStdString(), axis);
    if (reading.ok())
        return reading.degrees;
    WarningLabel->setText(
        QStringLiteral("%1 : %2.")
            .arg(name, QString::fromStdString(geomag::CoordinateErrorText(reading.error, axis))));
    field->setFocus();
    return std::nullopt;
}

void TDeclinationCalculator::ForgetResult() {
    applicable_.reset();
    ResultLabel->clear();
    WarningLabel->clear();
    ApplyButton->setEnabled(false);
}

void TDeclinationCalculator::LoadPlace() {
    const std::unique_ptr<QSettings> own = settings::OpenOwnSettings();
    LatitudeEdit->setText(own->value(LatitudeKey).toString());
    LongitudeEdit->setText(own->value(LongitudeKey).toString());
}

bool TDeclinationCalculator::StorePlace() {
    const std::unique_ptr<QSettings> own = settings::OpenOwnSettings();
    own->setValue(LatitudeKey, LatitudeEdit->text());
    own->setValue(LongitudeKey, LongitudeEdit->text());
    own->sync();
    return own->status() == QSettings::NoError;
}

} // namespace app
