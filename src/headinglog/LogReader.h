// Reads a heading log back (for the replay) as a stream, a row at a time: the header row,
// then rows in the order of their times. A line that is no row stops the reading with the
// number of the line at fault, so that a file that is no log (or a log a spreadsheet
// damaged) never plays as one; the rows before it stay good. Memory stays bounded whatever
// the file: it is read in pieces, a line may not be longer than a row can be, and no more
// than 512 MB are read.
#pragma once

#include "headinglog/LogRow.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace headinglog {

struct LogReadError {
    int line = 0;   // 1 is the header; 0 when the file itself could not be read
    QString reason; // in the program's language
    // The file ends in the middle of this line (a recording cut short, a full disk): what
    // came before it is whole.
    bool cut = false;
};

class LogStream {
public:
    // Fills `data` with up to `size` bytes: how many (0 at the end of the log), or less
    // than 0 with the reason in `reason`.
    using Source = std::function<long long(char *data, long long size, QString &reason)>;

    static constexpr long long kLargest = 512LL * 1024 * 1024;
    static constexpr int kLongestLine = 256; // a row is under 80 bytes
    // The longest wait between two rows, and from the first row to any other: a time
    // further on is no recording a replay can keep pace with.
    static constexpr std::int64_t kLongestStep = 24LL * 3600 * 1000;
    static constexpr std::int64_t kLongestLog = 366LL * 24 * 3600 * 1000;

    // `largest`: the bytes read at most (tests make it small).
    explicit LogStream(Source source, long long largest = kLargest);
    ~LogStream();
    LogStream(const LogStream &) = delete;
    LogStream &operator=(const LogStream &) = delete;

    // Of a regular file (a link to one is followed). Anything else (a device, a named pipe,
    // a folder) is refused before it is opened, and the file is opened without waiting:
    // neither an endless stream nor a pipe without a writer can hold the program up. Null
    // with the reason in `error` (line 0) when refused.
    static std::unique_ptr<LogStream> OpenFile(const QString &path, LogReadError &error);
    // Of the text of a log in memory.
    static std::unique_ptr<LogStream> OfText(QByteArray text);

    // The next row; nothing at the end of the log, or at a line that is no row (Error()
    // then says which and why). Line ends may be LF or CR LF; empty lines at the end are
    // allowed, and so is a last row without its line break.
    std::optional<LogRow> Next();
    const std::optional<LogReadError> &Error() const { return error_; }
    long long Rows() const { return rows_; }
    // The columns its header announced (Plain until the header is read).
    LogLayout Layout() const { return layout_; }

private:
    // The next line without its line end; false at the end of the text. `whole` is false
    // for a last line the text ends in.
    bool NextLine(QByteArray &line, bool &whole);
    bool Fill();
    std::nullopt_t Refuse(int line, const QString &reason, bool cut = false);

    Source source_;
    const long long largest_;
    QByteArray buffer_;
    qsizetype start_ = 0; // the first byte of buffer_ not yet taken
    long long bytesRead_ = 0;
    bool ended_ = false; // the source said its end
    int line_ = 0;       // the number of the last line taken
    bool headerSeen_ = false;
    LogLayout layout_ = LogLayout::Plain;
    int blankLine_ = 0; // the first of empty lines not yet followed by a row
    long long rows_ = 0;
    std::optional<QDateTime> first_, previous_;
    std::optional<LogReadError> error_;
};

struct LogReadResult {
    std::vector<LogRow> rows;
    std::optional<LogReadError> error;
};

// The whole log at once: the rows, or none and the error; a log whose last line is cut
// keeps the rows before it, with the error that says so.
LogReadResult ParseLog(const QByteArray &text);
LogReadResult ReadLogFile(const QString &path);

// "Le fichier X n'est pas un journal du cap : ligne N : ..." for a refused file.
QString DescribeLogError(const QString &path, const LogReadError &error);

} // namespace headinglog
