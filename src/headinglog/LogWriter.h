// Writes the heading log: a CSV file with its header row, one row per reading. Each row goes
// to the operating system as it comes (no buffer of our own), so a crash of the program
// loses nothing written, well within the second that a row may wait. The first failure
// (disk full, file gone read-only) is kept and ends the writing.
#pragma once

#include "headinglog/LogRow.h"

#include <QFile>
#include <QString>

namespace headinglog {

class LogWriter {
public:
    // Creates the file (or empties it) and writes the header; false with the reason in
    // Error() when that fails.
    bool Open(const QString &path);
    // False, with Error(), when the row could not be written; the file is then closed and
    // later rows are refused.
    bool Append(const LogRow &row);
    void Close();

    bool IsOpen() const { return file_.isOpen(); }
    QString Path() const { return file_.fileName(); }
    long long Rows() const { return rows_; }
    // The reason of the last failure, in words (empty when none).
    QString Error() const { return error_; }

private:
    bool Write(const QByteArray &bytes);

    QFile file_;
    long long rows_ = 0;
    QString error_;
};

} // namespace headinglog
