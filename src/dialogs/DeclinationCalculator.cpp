#include "dialogs/DeclinationCalculator.h"

#include "compass/Angles.h"
#include "dialogs/DialogControls.h"
#include "dialogs/HelpTopics.h"
#include "geomag/Coordinates.h"
#include "geomag/Declination.h"
#include "geomag/Warnings.h"
#include "nmea/ShareSettings.h"
#include "platform/app/Guarded.h"
#include "platform/app/Translations.h"
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

// The frame's inner margin and the width of what stands in it, in pixels.
constexpr int Margin = 12;
constexpr int InnerWidth = 306;
constexpr int FieldLeft = 82;
constexpr int ResultTop = 146;
constexpr int TextsBottom = 314; // the frame is 320 pixels high
constexpr int Gap = 4;

// A value with one decimal, in the frame's locale.
QString Degrees(double value, const QLocale &locale) { return locale.toString(value, 'f', 1); }

// A declination already rounded to its tenth, as its size and its side; a zero has no side.
QString SideAndSize(double tenth, const QLocale &locale) {
    const QString size = Degrees(std::fabs(tenth), locale);
    if (tenth == 0)
        return size + QStringLiteral("°");
    return size + (tenth > 0 ? QCoreApplication::translate("DeclinationCalculator", "° EST")
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

QLocale FrameLocale() {
    const QLocale own = platform::LanguageLocale(platform::SelectedLanguage());
    const QLocale user;
    return user.language() == own.language() ? user : own;
}

QString DateFormat(const QLocale &locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

double ShownTenth(double declination) { return compass::RoundedToTenth(declination); }

TDeclinationCalculator::TDeclinationCalculator(QWidget *parent, Today today)
    : QGroupBox(QCoreApplication::translate("DeclinationCalculator", " Calculer pour un lieu :"),
                parent),
      locale_(FrameLocale()) {
    MakeLabel(this, QCoreApplication::translate("DeclinationCalculator", "Latitude :"),
              QPoint(12, 29));
    LatitudeEdit = MakeField(
        this, QCoreApplication::translate("DeclinationCalculator", "48.8566 ou 48 51.4 N"),
        QRect(FieldLeft, 26, Margin + InnerWidth - FieldLeft, 21));
    MakeLabel(this, QCoreApplication::translate("DeclinationCalculator", "Longitude :"),
              QPoint(12, 57));
    LongitudeEdit =
        MakeField(this, QCoreApplication::translate("DeclinationCalculator", "2.3522 ou 2 21.1 E"),
                  QRect(FieldLeft, 54, Margin + InnerWidth - FieldLeft, 21));
    MakeLabel(this, QCoreApplication::translate("DeclinationCalculator", "Date :"), QPoint(12, 85));
    DateEdit = new QDateEdit(today(), this);
    DateEdit->setGeometry(FieldLeft, 82, 100, 21);
    DateEdit->setLocale(locale_);
    DateEdit->setDisplayFormat(DateFormat(locale_));
    DateEdit->setCalendarPopup(true);
    DateEdit->setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));

    ComputeButton =
        new QPushButton(QCoreApplication::translate("DeclinationCalculator", "&Calculer"), this);
    ComputeButton->setGeometry(Margin, 112, InnerWidth / 2 - 3, 25);
    ApplyButton =
        new QPushButton(QCoreApplication::translate("DeclinationCalculator", "A&ppliquer"), this);
    ApplyButton->setGeometry(Margin + InnerWidth / 2 + 3, 112, InnerWidth / 2 - 3, 25);
    ApplyButton->setEnabled(false);
    HelpButton = new QPushButton(QStringLiteral("?"), this);
    HelpButton->setGeometry(Margin + InnerWidth - 26, 81, 26, 23);
    HelpButton->setToolTip(
        QCoreApplication::translate("DeclinationCalculator", "Aide du calcul de la déclinaison"));

    ResultLabel = new QLabel(this);
    SetBold(ResultLabel);
    ResultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    WarningLabel = new QLabel(this);
    SetTextColour(WarningLabel, platform::clRed);
    WarningLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    WarningLabel->setWordWrap(true);
    AssumptionLabel = new QLabel(this);
    AssumptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    AssumptionLabel->setWordWrap(true);
    AssumptionLabel->setEnabled(false); // the greyed text of a remark
    ShowRemark();
    LayOutTexts();

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
    // The degrees applied are those of the tenth shown, so that what is read is what is set.
    const double tenth = ShownTenth(estimate.declination);
    const std::optional<DeclinationSetting> setting = SettingFor(tenth);
    QString result;
    if (estimate.withinValidity)
        result = QCoreApplication::translate("DeclinationCalculator", "Déclinaison : %1 ± %2°")
                     .arg(SideAndSize(tenth, locale_), Degrees(estimate.uncertainty, locale_));
    else // the model's error estimate does not hold outside its years: no ± to trust
        result = QCoreApplication::translate("DeclinationCalculator", "Déclinaison extrapolée : %1")
                     .arg(SideAndSize(tenth, locale_));
    if (!estimate.withinValidity || estimate.zone == geomag::PolarZone::Blackout) {
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
    ShowRemark();
    LayOutTexts();
    ApplyButton->setEnabled(applicable_.has_value());
}

void TDeclinationCalculator::ShowRemark() {
    QString remark = QCoreApplication::translate(
        "DeclinationCalculator",
        "Modèle WMM2025. Latitude géodésique (WGS84), altitude 0 sur l'ellipsoïde.");
    if (applicable_)
        remark += QLatin1Char(' ') + QCoreApplication::translate(
                                         "DeclinationCalculator",
                                         "Appliquer arrondit la valeur affichée au degré le plus "
                                         "proche, une moitié vers le haut.");
    AssumptionLabel->setText(remark);
}

void TDeclinationCalculator::LayOutTexts() {
    const int resultHeight = ResultLabel->text().isEmpty() ? 0 : ResultLabel->sizeHint().height();
    ResultLabel->setGeometry(Margin, ResultTop, InnerWidth, resultHeight);
    const int remarkHeight = AssumptionLabel->heightForWidth(InnerWidth);
    AssumptionLabel->setGeometry(Margin, TextsBottom - remarkHeight, InnerWidth, remarkHeight);
    const int warningTop = ResultTop + resultHeight + Gap;
    WarningLabel->setGeometry(Margin, warningTop, InnerWidth,
                              AssumptionLabel->y() - Gap - warningTop);
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
        QCoreApplication::translate("DeclinationCalculator", "%1 : %2.")
            .arg(name, QString::fromStdString(geomag::CoordinateErrorText(reading.error, axis))));
    field->setFocus();
    return std::nullopt;
}

void TDeclinationCalculator::ForgetResult() {
    applicable_.reset();
    ResultLabel->clear();
    WarningLabel->clear();
    ApplyButton->setEnabled(false);
    ShowRemark();
    LayOutTexts();
}

void TDeclinationCalculator::LoadPlace() {
    const auto own = settings::OpenOwnSettings();
    LatitudeEdit->setText(own->value(LatitudeKey).toString());
    LongitudeEdit->setText(own->value(LongitudeKey).toString());
}

bool TDeclinationCalculator::StorePlace() {
    const auto own = settings::OpenOwnSettings();
    own->setValue(LatitudeKey, LatitudeEdit->text());
    own->setValue(LongitudeKey, LongitudeEdit->text());
    return own->Save();
}

} // namespace app
