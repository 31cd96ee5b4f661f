// Reads a heading log back (for the replay): the header row, then rows in the order of
// their times. Anything else is refused with the number of the line at fault, so that a
// file that is no log (or a log a spreadsheet damaged) never plays as one.
#pragma once

#include "headinglog/LogRow.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace headinglog {

struct LogReadError {
    int line = 0;   // 1 is the header; 0 when the file itself could not be read
    QString reason; // French
};

struct LogReadResult {
    std::vector<LogRow> rows;
    std::optional<LogReadError> error;
};

// Of the text of a log. Line ends may be LF or CR LF; empty lines at the end are allowed.
LogReadResult ParseLog(const QByteArray &text);
LogReadResult ReadLogFile(const QString &path);

// "Le fichier X n'est pas un journal du cap : ligne N : ..." for a refused file.
QString DescribeLogError(const QString &path, const LogReadError &error);

} // namespace headinglog
