// The frame "Calculer pour un lieu" of the declination dialog: the declination of WMM2025 for
// a place and a date, with its uncertainty and warnings, which "Appliquer" hands to the
// dialog's own controls (as much of it as the module holds) and, to a tenth, to the heading
// output's variation.
#pragma once

#include "dialogs/DeclinationSetting.h"
#include "geomag/Coordinates.h"
#include "nmea/HeadingSentences.h"

#include <QDate>
#include <QGroupBox>
#include <QLocale>

#include <functional>
#include <optional>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

// The locale of the frame's numbers and dates: the user's when it is of the program's
// language, otherwise that language's own (its row's: France's for French, the United
// States' for English), so that an English text never gets a decimal comma nor a French one
// a point.
QLocale FrameLocale();
// The locale's short date format with the year in full.
QString DateFormat(const QLocale &locale);
// A declination rounded to the tenth of a degree the frame shows, halves away from zero.
double ShownTenth(double declination);

// The place typed last (its texts as typed) is kept in Ventrose.conf and comes back when the
// frame is made. The date starts at `today`. The place is taken as a geodetic latitude and
// longitude (WGS84) at height 0 above the ellipsoid, which is what the help topic says.
class TDeclinationCalculator : public QGroupBox {
    Q_OBJECT

public:
    using Today = std::function<QDate()>;
    explicit TDeclinationCalculator(QWidget *parent, Today today = &QDate::currentDate);

    QLineEdit *LatitudeEdit;
    QLineEdit *LongitudeEdit;
    QDateEdit *DateEdit;
    QPushButton *ComputeButton; // "&Calculer"
    QPushButton *HelpButton;    // "?", the frame's help topic
    QLabel *ResultLabel;        // the declination and its uncertainty
    QLabel *WarningLabel;       // red: what makes the value unsafe or not applicable
    QLabel *AssumptionLabel;
    QPushButton *ApplyButton; // "A&ppliquer", enabled while a result can be applied

    // Called by "Appliquer" with the setting of the result shown.
    std::function<void(const DeclinationSetting &)> onApply;

signals:
    // "Appliquer" kept the place's declination, to a tenth, for the heading output.
    void PlaceApplied(const nmea::PlaceVariation &place);

public:
    // "&Calculer": reads the place and the date, shows the result and keeps the place.
    void Compute();
    void Apply();

private:
    // The coordinate in a field, or nullopt once the reason it is not one is shown.
    std::optional<double> ReadCoordinate(QLineEdit *field, geomag::Axis axis, const QString &name);
    // Any change of the place or the date makes the result shown stale.
    void ForgetResult();
    // The model and the place it assumes, and with a result that can be applied, how it is
    // rounded.
    void ShowRemark();
    // The result, the warnings below it and the remark at the foot of the frame, the warnings
    // taking what room is left.
    void LayOutTexts();
    void LoadPlace();
    bool StorePlace();

    QLocale locale_;
    std::optional<DeclinationSetting> applicable_;
    double declination_ = 0; // of the result shown, east positive
};

} // namespace app
