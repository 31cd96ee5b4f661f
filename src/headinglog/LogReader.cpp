#include "headinglog/LogReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>

namespace headinglog {

namespace {

// The reason a row is refused, or nothing.
std::optional<QString> ParseRow(const QByteArray &line, LogRow &row) {
    const QList<QByteArray> fields = line.split(',');
    if (fields.size() == 1)
        return QCoreApplication::translate("LogReader", "1 champ au lieu de 7");
    if (fields.size() != 7)
        return QCoreApplication::translate("LogReader", "%1 champs au lieu de 7")
            .arg(fields.size());
    row.time = QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODateWithMs);
    if (!row.time.isValid() || row.time.timeSpec() != Qt::UTC)
        return QCoreApplication::translate("LogReader", "« %1 » n'est pas une heure UTC ISO 8601")
            .arg(QString::fromLatin1(fields[0]));
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
                .arg(QString::fromLatin1(kFields[i].name), QString::fromLatin1(fields[i + 1]))
                .arg(kFields[i].low)
                .arg(kFields[i].high);
    }
    row.raw = static_cast<int>(values[0]);
    row.lastRawAngle = static_cast<int>(values[1]);
    row.heading = static_cast<int>(values[2]);
    row.needleAngle = static_cast<int>(values[3]);
    row.centring = values[4];
    row.declination = values[5];
    return std::nullopt;
}

} // namespace

LogReadResult ParseLog(const QByteArray &text) {
    LogReadResult result;
    auto refuse = [&](int line, const QString &reason) {
        result.rows.clear();
        result.error = LogReadError{line, reason};
        return result;
    };
    QList<QByteArray> lines = text.split('\n');
    while (!lines.isEmpty() && (lines.back().isEmpty() || lines.back() == "\r"))
        lines.removeLast();
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.isEmpty())
        return refuse(1, QCoreApplication::translate("LogReader", "le fichier est vide"));
    QByteArray header = lines.front();
    if (header.startsWith("\xEF\xBB\xBF")) // a byte order mark a spreadsheet may add
        header.remove(0, 3);
    if (header != LogHeader())
        return refuse(1, QCoreApplication::translate("LogReader", "l'en-tête n'est pas « %1 »")
                             .arg(QString::fromLatin1(LogHeader())));
    if (lines.size() == 1)
        return refuse(2, QCoreApplication::translate("LogReader", "aucune mesure après l'en-tête"));
    result.rows.reserve(static_cast<std::size_t>(lines.size() - 1));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        LogRow row;
        if (const auto reason = ParseRow(lines[i], row))
            return refuse(number, *reason);
        if (!result.rows.empty() && row.time < result.rows.back().time)
            return refuse(number, QCoreApplication::translate(
                                      "LogReader", "l'heure est antérieure à celle de la ligne %1")
                                      .arg(number - 1));
        result.rows.push_back(row);
    }
    return result;
}

LogReadResult ReadLogFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, LogReadError{0, file.errorString()}};
    // A log of a day at five readings a second is about 25 MB; far larger is no log.
    constexpr qint64 kLargest = 512LL * 1024 * 1024;
    if (file.size() > kLargest)
        return {
            {},
            LogReadError{0, QCoreApplication::translate("LogReader", "le fichier dépasse 512 Mo")}};
    return ParseLog(file.readAll());
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
