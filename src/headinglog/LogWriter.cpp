#include "headinglog/LogWriter.h"

namespace headinglog {

bool LogWriter::Open(const QString &path) {
    Close();
    rows_ = 0;
    error_.clear();
    file_.setFileName(path);
    // Unbuffered: every write is the system's at once, so a failure shows at that row.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error_ = file_.errorString();
        return false;
    }
    return Write(LogHeader() + '\n');
}

bool LogWriter::Append(const LogRow &row) {
    if (!file_.isOpen())
        return false;
    if (!Write(FormatLogRow(row)))
        return false;
    ++rows_;
    return true;
}

void LogWriter::Close() {
    if (file_.isOpen())
        file_.close();
}

bool LogWriter::Write(const QByteArray &bytes) {
    if (file_.write(bytes) == bytes.size())
        return true;
    error_ = file_.errorString();
    if (error_.isEmpty() || file_.error() == QFileDevice::NoError)
        error_ = QStringLiteral("écriture incomplète");
    file_.close();
    return false;
}

} // namespace headinglog
