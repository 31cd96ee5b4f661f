// The heading computation of the main window: a reading of the compass module turned into
// degrees, corrected by the zero-centring and the declination, and the texts that show it.
#pragma once

#include "compass/Reading.h"
#include "deviation/Curve.h"
#include "settings/SettingsView.h"

#include <QString>

#include <optional>
#include <string>

namespace app {

// The received text as a reading: the whole text must be a decimal integer (optional
// leading spaces, optional sign, digits, nothing after) from 0 to 254.
std::optional<int> ParseReading(const std::string &text);

// The name, in the program's language, of the direction of an angle of 0..359 degrees, clockwise
// from north.
QString DirectionName(int angle);

// The text of the status panel that shows the declination; nullopt when the panel keeps its
// text. A west declination ("+", added to the heading) is shown with a minus sign.
std::optional<QString> DeclinationStatusText(const settings::SettingsView &settings);

// One of the four labels of the compass panel: hidden labels have an empty caption.
struct LabelState {
    bool Visible = false;
    QString Caption;
    friend bool operator==(const LabelState &, const LabelState &) = default;
};

// The compass panel's labels, to be applied in this order: Label7, Label8, Label9, Label10.
struct HeadingLabels {
    LabelState Label7;  // bottom right: direction of the needle
    LabelState Label8;  // bottom left: angle of the needle
    LabelState Label9;  // top right: direction of the heading
    LabelState Label10; // top left: the heading in degrees
};

// The values the main window keeps from one received chunk to the next; all 0 at start.
class HeadingState {
public:
    int LastRawAngle() const { return lastRawAngle_; }
    int HeadingSum() const { return headingSum_; }
    int NeedleAngle() const { return needleAngle_; }
    int CapAngle() const { return capAngle_; }
    // The last valid reading, its time not stamped; every field 0 before the first.
    const compass::Reading &LastReading() const { return reading_; }
    int NeedleLength() const { return needleLength_; }
    int NeedleWidth() const { return needleWidth_; }

    // Needle length and half-width from their slots; a text that is none of the keywords
    // keeps the previous size.
    void TakeNeedleSize(const settings::SettingsView &settings);

    // A valid reading: LastRawAngle and the heading sum with the half turn, the centring and
    // the declination. A correction whose sign slot is neither "+" nor "-" is not applied and
    // its number slot is not read; a number slot that is not a decimal integer raises
    // EConvertError, leaving the heading sum of the previous reading.
    void ApplyReading(int v, const settings::SettingsView &settings);

    // The needle's angle and the heading from the heading sum, both in 0..359.
    void UpdateAngles();

    // The deviation card applied to the display, or nothing. With a card the heading sum
    // (and so the needle and "Votre CAP") is corrected by the deviation at the reading's
    // compass heading, to the whole degree; the reading itself (LastReading, what the
    // heading output and the log take) stays the sensor's. Taken from the next reading on.
    void SetDisplayCard(std::optional<deviation::Coefficients> card) { card_ = card; }
    const std::optional<deviation::Coefficients> &DisplayCard() const { return card_; }

    HeadingLabels Labels(const settings::SettingsView &settings) const;

private:
    int lastRawAngle_ = 0;
    int headingSum_ = 0;
    int needleAngle_ = 0;
    int capAngle_ = 0;
    compass::Reading reading_;
    int needleLength_ = 0;
    int needleWidth_ = 0;
    std::optional<deviation::Coefficients> card_;
};

} // namespace app
