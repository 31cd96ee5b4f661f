// The compass swing dialog "Régulation du compas": the points of a swing, each a compass
// heading taken from the live readings against a reference magnetic heading (a typed
// magnetic or true bearing, or the GNSS course), the fit and its card, the card's exports and
// where it applies. Everything the user changes is kept in Ventrose.conf at once.
#pragma once

#include "dialogs/DialogBase.h"
#include "swing/HeadingTake.h"
#include "swing/SwingRecord.h"

#include <QDateTime>

#include <optional>

class QButtonGroup;
class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace swing {

// The GNSS course as a reference: usable only when the receiver says the craft holds a
// steady speed and course; else why not.
struct GnssReference {
    bool usable = false;
    double magneticCourse = 0; // degrees, [0, 360)
    QString reason;            // why it is not usable
};

// What the dialog reads of the rest of the program, which provides it.
class SwingInputs {
public:
    virtual ~SwingInputs() = default;
    // The monotonic clock the readings given to TSwingForm::Reading are stamped with.
    virtual Millis Now() const = 0;
    // When a point is taken, as the table shows it.
    virtual QDateTime WallClock() const { return QDateTime::currentDateTime(); }
    // The GNSS course now; nothing when the program has no receiver.
    virtual std::optional<GnssReference> Reference() const = 0;
    // The declination of the settings, east positive, in degrees.
    // Nothing when the settings' declination cannot be read.
    virtual std::optional<double> SettingsDeclination() const = 0;
    // The declination worked out for the place, east positive; nothing when none is known.
    virtual std::optional<double> PlaceDeclination() const = 0;
};

class TSwingForm : public app::TDialogForm {
    Q_OBJECT

public:
    // How often a take under way looks at the clock, to end when no reading comes.
    static constexpr int kTickMilliseconds = 200;

    TSwingForm(app::MainWindowAccess &mainWindow, SwingInputs &inputs);
    ~TSwingForm() override;

    // A valid reading of the compass: its compass heading in degrees (see CompassHeadingOfRaw)
    // and the time it came, on the clock of SwingInputs::Now.
    void Reading(double compassHeading, Millis at);
    // Ends a take whose time is up (run by a timer while a take is under way).
    void Tick();
    // The GNSS state or a declination changed: the reference choices show it.
    void InputsChanged();

    const SwingRecord &Record() const { return record_; }

    QLineEdit *DateEdit;
    QLineEdit *PlaceEdit;
    QLabel *LiveLabel;
    QRadioButton *MagneticButton;
    QRadioButton *TrueButton;
    QRadioButton *GnssButton;
    QLineEdit *BearingEdit;
    QComboBox *DeclinationChoice; // the settings' declination, or the place's
    QLabel *GnssLabel;
    QPushButton *TakeButton;
    QLabel *MessageLabel; // the take's progress or refusal
    QTableWidget *PointsTable;
    QPushButton *RemoveButton;
    QLabel *FitLabel; // the coefficients and RMS, or why there is no fit
    QChartView *ChartView;
    QTableWidget *CardTable;
    QCheckBox *OutputBox;
    QCheckBox *LogBox;
    QCheckBox *DisplayBox;
    QLabel *SaveLabel; // a failed save
    QPushButton *CsvButton;
    QPushButton *PdfButton;
    QPushButton *HelpButton;
    QPushButton *CloseButton;

    // The exports, to the file named (the buttons ask for it); an empty text when written.
    QString ExportCsv(const QString &path);
    QString ExportPdf(const QString &path);

signals:
    // The swing was saved: the card in force, or where it applies, may have changed.
    void CardChanged();

protected:
    void FormActivate() override;

private:
    void StartTake();
    void EndTake(const TakeOutcome &outcome);
    // The reference magnetic heading the controls give now, or why there is none.
    std::optional<double> ReferenceHeading(ReferenceKind &kind, QString &refusal) const;
    void RemoveSelected();
    void ShowReferenceChoice();
    void ShowDeclinationChoice();
    // The table, the fit, the chart and the card from the record.
    void ShowRecord();
    void ShowChart(QChart *chart);
    void Save();
    void AskAndExport(bool pdf);

    SwingInputs &inputs_;
    SwingRecord record_;
    HeadingTake take_;
    std::optional<double> pendingReference_;
    ReferenceKind pendingKind_ = ReferenceKind::TypedMagnetic;
    std::optional<deviation::Fit> fit_;
    QTimer *takeTimer_;
    QButtonGroup *referenceGroup_;
};

} // namespace swing
