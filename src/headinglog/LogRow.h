// One row of the heading log: a valid reading as the program worked it out. The CSV text
// of the log is fixed here, for the writer and the reader alike.
#pragma once

#include <QByteArray>
#include <QDateTime>

namespace headinglog {

struct LogRow {
    QDateTime time;            // UTC, to the millisecond
    int raw = 0;               // the module's value, 0..254
    int lastRawAngle = 0;      // that value in degrees, before any correction (1..360)
    int heading = 0;           // the user's heading ("Votre CAP"), 0..359
    int needleAngle = 0;       // the red needle's angle, 0..359
    long long centring = 0;    // the zero-centring added to the heading, signed
    long long declination = 0; // the declination added to the heading, signed

    bool operator==(const LogRow &) const = default;
};

// The header row, without its line break.
QByteArray LogHeader();

// The row as one CSV line with its line break: the time in ISO 8601 UTC to the millisecond
// ("2026-03-14T09:26:53.589Z"), then the numbers in decimal.
QByteArray FormatLogRow(const LogRow &row);

} // namespace headinglog
