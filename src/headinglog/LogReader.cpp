#include "headinglog/LogReader.h"

#include "base/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace headinglog {

namespace {

constexpr long long kPiece = 64 * 1024;

// A field as the messages quote it: a damaged file may hold anything, at any length.
QString Quoted(const QByteArray &field) {
    constexpr qsizetype kShown = 40;
    QString text = QString::fromLatin1(field.left(kShown));
    if (field.size() > kShown)
        text += QChar(0x2026);
    return text;
}

// The reason a row is refused, or nothing.
std::optional<QString> ParseRow(const QByteArray &line, LogLayout layout, LogRow &row) {
    // A row is printable ASCII: any other byte (a NUL would end a number early) refuses it.
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte < 0x20 || byte > 0x7E)
            return QCoreApplication::translate("LogReader",
                                               "l'octet 0x%1 en colonne %2 n'est pas du texte")
                .arg(byte, 2, 16, QLatin1Char('0'))
                .arg(i + 1);
    }
    const QList<QByteArray> fields = line.split(',');
    if (layout == LogLayout::WithDeviation) {
        if (fields.size() == 1)
            return QCoreApplication::translate("LogReader", "1 champ au lieu de 8");
        if (fields.size() != 8)
            return QCoreApplication::translate("LogReader", "%1 champs au lieu de 8")
                .arg(fields.size());
    } else if (fields.size() == 1) {
        return QCoreApplication::translate("LogReader", "1 champ au lieu de 7");
    } else if (fields.size() != 7) {
        return QCoreApplication::translate("LogReader", "%1 champs au lieu de 7")
            .arg(fields.size());
    }
    row.time = QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODateWithMs);
    if (!row.time.isValid() || row.time.timeSpec() != Qt::UTC)
        return QCoreApplication::translate("LogReader", "« %1 » n'est pas une heure UTC ISO 8601")
            .arg(Quoted(fields[0]));
    struct Field {
        const char *name;
        long long low, high;
    };
    static const Field kFields[] = {{"brut", 0, 254},
                                    {"LastRawAngle", 1, 360},
                                    {"cap", 0, 359},
                                    {"aiguille", 0, 359},
                                    {"centrage", -1000000000, 1000000000},
                                    {"declinaison", -1000000000, 1000000000}};
    long long values[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        values[i] = fields[i + 1].toLongLong(&ok);
        if (!ok || values[i] < kFields[i].low || values[i] > kFields[i].high)
            return QCoreApplication::translate("LogReader",
                                               "%1 « %2 » n'est pas un entier de %3 à %4")
                .arg(QString::fromLatin1(kFields[i].name), Quoted(fields[i + 1]))
                .arg(kFields[i].low)
                .arg(kFields[i].high);
    }
    row.raw = static_cast<int>(values[0]);
    row.lastRawAngle = static_cast<int>(values[1]);
    row.heading = static_cast<int>(values[2]);
    row.needleAngle = static_cast<int>(values[3]);
    row.centring = values[4];
    row.declination = values[5];
    row.deviationTenths.reset();
    if (layout == LogLayout::WithDeviation && !fields[7].isEmpty()) {
        constexpr int kWidest = 1800; // half a turn, in tenths
        bool ok = false;
        const int tenths = fields[7].toInt(&ok);
        if (!ok || tenths < -kWidest || tenths > kWidest)
            return QCoreApplication::translate(
                       "LogReader", "deviation « %1 » n'est ni vide ni un entier de %2 à %3")
                .arg(Quoted(fields[7]))
                .arg(-kWidest)
                .arg(kWidest);
        row.deviationTenths = tenths;
    }
    return std::nullopt;
}

} // namespace

LogStream::LogStream(Source source, long long largest)
    : source_(std::move(source)), largest_(largest) {}

LogStream::~LogStream() = default;

std::unique_ptr<LogStream> LogStream::OpenFile(const QString &path, LogReadError &error) {
    const QByteArray name = QFile::encodeName(path);
    auto refuse = [&](const QString &reason) {
        error = LogReadError{0, reason};
        return nullptr;
    };
    platform::RegularFileRead::Outcome outcome{};
    int code = 0;
    const int fd = platform::OpenRegularFile(name.toStdString(), outcome, code);
    if (outcome == platform::RegularFileRead::Outcome::NotRegular)
        return refuse(QCoreApplication::translate(
            "LogReader", "ce n'est pas un fichier ordinaire (un appareil, un tube, un "
                         "dossier) : seul un journal enregistré se relit"));
    if (fd < 0)
        return refuse(QString::fromLocal8Bit(std::strerror(code ? code : ENOENT)));
    auto file = std::shared_ptr<int>(new int(fd), [](int *owned) {
        ::close(*owned);
        delete owned;
    });
    return std::make_unique<LogStream>([file](char *data, long long size, QString &reason) {
        for (;;) {
            const ssize_t n = ::read(*file, data, static_cast<std::size_t>(size));
            if (n >= 0)
                return static_cast<long long>(n);
            if (errno != EINTR) {
                reason = QString::fromLocal8Bit(std::strerror(errno));
                return -1LL;
            }
        }
    });
}

std::unique_ptr<LogStream> LogStream::OfText(QByteArray text) {
    auto offset = std::make_shared<qsizetype>(0);
    return std::make_unique<LogStream>(
        [text = std::move(text), offset](char *data, long long size, QString &) {
            const qsizetype n = std::min<qsizetype>(size, text.size() - *offset);
            std::memcpy(data, text.constData() + *offset, static_cast<std::size_t>(n));
            *offset += n;
            return static_cast<long long>(n);
        });
}

std::nullopt_t LogStream::Refuse(int line, const QString &reason, bool cut) {
    if (!error_)
        error_ = LogReadError{line, reason, cut};
    return std::nullopt;
}

// Reads another piece; false at the end of the text or on a failure (error_ set).
bool LogStream::Fill() {
    if (ended_)
        return false;
    if (bytesRead_ >= largest_) {
        ended_ = true;
        Refuse(line_ + 1, QCoreApplication::translate(
                              "LogReader", "le fichier dépasse %1 Mo ; la suite n'est pas lue")
                              .arg(largest_ / (1024 * 1024)));
        return false;
    }
    if (start_ > 0) {
        buffer_.remove(0, start_);
        start_ = 0;
    }
    const long long want = std::min(kPiece, largest_ - bytesRead_);
    const qsizetype kept = buffer_.size();
    buffer_.resize(kept + want);
    QString reason;
    const long long got = source_(buffer_.data() + kept, want, reason);
    buffer_.resize(kept + std::max(got, 0LL));
    if (got < 0) {
        ended_ = true;
        Refuse(0, reason);
        return false;
    }
    if (got == 0) {
        ended_ = true;
        return false;
    }
    bytesRead_ += got;
    return true;
}

bool LogStream::NextLine(QByteArray &line, bool &whole) {
    for (;;) {
        const qsizetype end = buffer_.indexOf('\n', start_);
        if (end >= 0 && end - start_ <= kLongestLine) {
            line = buffer_.mid(start_, end - start_);
            start_ = end + 1;
            whole = true;
            break;
        }
        if (end >= 0 || buffer_.size() - start_ > kLongestLine) {
            Refuse(line_ + 1, QCoreApplication::translate("LogReader", "la ligne dépasse %1 octets")
                                  .arg(kLongestLine));
            return false;
        }
        if (!Fill()) {
            if (error_ || start_ == buffer_.size())
                return false;
            line = buffer_.mid(start_);
            start_ = buffer_.size();
            whole = false;
            break;
        }
    }
    ++line_;
    if (line.endsWith('\r'))
        line.chop(1);
    return true;
}

std::optional<LogRow> LogStream::Next() {
    if (error_)
        return std::nullopt;
    QByteArray line;
    bool whole = true;
    if (!headerSeen_) {
        if (!NextLine(line, whole))
            return error_
                       ? std::nullopt
                       : Refuse(1, QCoreApplication::translate("LogReader", "le fichier est vide"));
        headerSeen_ = true;
        if (line.startsWith("\xEF\xBB\xBF")) // a byte order mark a spreadsheet may add
            line.remove(0, 3);
        // Logs made before the deviation's column, and those without a card applied, have
        // no such column.
        if (line == LogHeader(LogLayout::WithDeviation))
            layout_ = LogLayout::WithDeviation;
        else if (line != LogHeader())
            return Refuse(1, QCoreApplication::translate("LogReader", "l'en-tête n'est pas « %1 »")
                                 .arg(QString::fromLatin1(LogHeader())));
    }
    for (;;) {
        if (!NextLine(line, whole)) {
            if (!error_ && rows_ == 0)
                Refuse(2,
                       QCoreApplication::translate("LogReader", "aucune mesure après l'en-tête"));
            return std::nullopt;
        }
        if (!line.isEmpty())
            break;
        if (blankLine_ == 0)
            blankLine_ = line_; // refused only if a row follows
    }
    LogRow row;
    if (const auto reason = ParseRow(line, layout_, row)) {
        if (!whole)
            return Refuse(
                line_,
                QCoreApplication::translate(
                    "LogReader", "la ligne est coupée : le fichier s'arrête en son milieu"),
                true);
        return Refuse(line_, *reason);
    }
    if (blankLine_ != 0)
        return Refuse(blankLine_, *ParseRow(QByteArray(), layout_, row));
    if (previous_ && row.time < *previous_)
        return Refuse(line_, QCoreApplication::translate(
                                 "LogReader", "l'heure est antérieure à celle de la ligne %1")
                                 .arg(line_ - 1));
    if (previous_ && previous_->msecsTo(row.time) > kLongestStep)
        return Refuse(line_,
                      QCoreApplication::translate(
                          "LogReader", "l'heure est plus de 24 heures après celle de la ligne %1")
                          .arg(line_ - 1));
    if (first_ && first_->msecsTo(row.time) > kLongestLog)
        return Refuse(
            line_, QCoreApplication::translate(
                       "LogReader", "l'heure est plus d'un an après celle de la première mesure"));
    if (!first_)
        first_ = row.time;
    previous_ = row.time;
    ++rows_;
    return row;
}

namespace {
LogReadResult ReadAll(LogStream &stream) {
    LogReadResult result;
    while (auto row = stream.Next())
        result.rows.push_back(std::move(*row));
    result.error = stream.Error();
    if (result.error && !result.error->cut)
        result.rows.clear();
    return result;
}
} // namespace

LogReadResult ParseLog(const QByteArray &text) { return ReadAll(*LogStream::OfText(text)); }

LogReadResult ReadLogFile(const QString &path) {
    LogReadError error;
    const std::unique_ptr<LogStream> stream = LogStream::OpenFile(path, error);
    if (!stream)
        return {{}, error};
    return ReadAll(*stream);
}

QString DescribeLogError(const QString &path, const LogReadError &error) {
    if (error.line == 0)
        return QCoreApplication::translate("LogReader",
                                           "Impossible de lire le journal du cap %1 :\n%2")
            .arg(path, error.reason);
    return QCoreApplication::translate(
               "LogReader", "Le fichier %1 n'est pas un journal du cap :\nligne %2 : %3.")
        .arg(path)
        .arg(error.line)
        .arg(error.reason);
}

} // namespace headinglog
