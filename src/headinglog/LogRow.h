// One row of the heading log: a valid reading as the program worked it out. The CSV text
// of the log is fixed here, for the writer and the reader alike.
#pragma once

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace headinglog {

// The columns of a log file: those every log has, or those and a last column with the
// deviation of a card applied to the log. Chosen when the file is made; a log without the
// deviation is byte for byte what it was before the column existed.
enum class LogLayout { Plain, WithDeviation };

struct LogRow {
    QDateTime time;            // UTC, to the millisecond
    int raw = 0;               // the module's value, 0..254
    int lastRawAngle = 0;      // that value in degrees, before any correction (1..360)
    int heading = 0;           // the user's heading ("Votre CAP"), 0..359
    int needleAngle = 0;       // the red needle's angle, 0..359
    long long centring = 0;    // the zero-centring added to the heading, signed
    long long declination = 0; // the declination added to the heading, signed
    // The deviation of the card applied to the log, tenths of a degree east, -1800..1800;
    // nothing when no card was applied to this reading (or the file has no such column).
    std::optional<int> deviationTenths = std::nullopt;

    bool operator==(const LogRow &) const = default;
};

// The header row, without its line break.
QByteArray LogHeader(LogLayout layout = LogLayout::Plain);

// The row as one CSV line with its line break: the time in ISO 8601 UTC to the millisecond
// ("2026-03-14T09:26:53.589Z"), then the numbers in decimal; with the deviation's column,
// the deviation in signed tenths, or nothing when none was applied.
QByteArray FormatLogRow(const LogRow &row, LogLayout layout = LogLayout::Plain);

} // namespace headinglog
