// A compass swing as the program keeps it: its points, each with where its reference heading
// came from, the date and the place, the fit of the points, and where the card applies. It
// lives in the [swing] group of Ventrose.conf.
#pragma once

#include "deviation/Fit.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

class QSettings;

namespace swing {

// Where a point's reference magnetic heading came from.
enum class ReferenceKind {
    TypedMagnetic, // a magnetic bearing typed by the user
    TypedTrue,     // a true bearing typed by the user, turned magnetic with a declination
    Gnss,          // the course over ground of the GNSS receiver, turned magnetic
};

struct SwingEntry {
    double compass = 0;  // the compass heading taken, [0, 360)
    double magnetic = 0; // the reference magnetic heading, [0, 360)
    ReferenceKind kind = ReferenceKind::TypedMagnetic;
    QDateTime taken; // when the compass heading was taken

    bool operator==(const SwingEntry &) const = default;
};

// What the source column shows.
QString KindName(ReferenceKind kind);

// The magnetic heading of a true bearing, the declination east positive (degrees).
double MagneticFromTrue(double trueBearing, double eastDeclination);

// Where the card in force is applied; the user's choice, each off unless chosen.
struct ApplyChoice {
    bool headingOutput = false; // the NMEA heading output
    bool headingLog = false;    // the heading log's deviation column
    bool display = false;       // the heading the main window shows

    bool operator==(const ApplyChoice &) const = default;
};

struct SwingRecord {
    std::vector<SwingEntry> entries;
    QString date;  // free text
    QString place; // free text
    ApplyChoice apply;

    bool operator==(const SwingRecord &) const = default;

    std::vector<deviation::SwingPoint> Points() const;
    deviation::FitOutcome Fit() const { return deviation::FitSwing(Points()); }
};

// Missing or unreadable values are left out (a point with a heading that is no number from 0
// to 360 is skipped); nothing read gives an empty swing. Nothing is written (the file is not
// const only because reading an array moves through its groups).
SwingRecord LoadSwing(QSettings &file);
// Writes the whole [swing] group, the fit's coefficients and RMS with it when the points give
// one (and removes them when they do not).
void SaveSwing(QSettings &file, const SwingRecord &record);

// The card in force and where it applies, for the rest of the program: the coefficients of
// the swing last saved, when its points gave a fit.
class CardSettings {
public:
    static CardSettings Load(const QSettings &file);
    // Ventrose.conf of the installation folder.
    static CardSettings LoadOwn();

    const std::optional<deviation::Coefficients> &Card() const { return card_; }
    const ApplyChoice &Apply() const { return apply_; }
    // The deviation to add to a compass heading where the card is chosen; 0 elsewhere or
    // without a card.
    double DeviationFor(bool chosen, double compassHeading) const;

    bool ToHeadingOutput() const { return card_ && apply_.headingOutput; }
    bool ToHeadingLog() const { return card_ && apply_.headingLog; }
    bool ToDisplay() const { return card_ && apply_.display; }

private:
    std::optional<deviation::Coefficients> card_;
    ApplyChoice apply_;
};

} // namespace swing
