#include "headinglog/LogReader.h"
#include "headinglog/LogWriter.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <utility>

#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace headinglog {
namespace {

QDateTime Utc(const char *text) {
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
}

std::vector<LogRow> SomeRows() {
    return {{Utc("2026-03-14T09:26:53.589Z"), 0, 360, 180, 180, 0, 0},
            {Utc("2026-03-14T09:26:53.789Z"), 254, 1, 179, 181, -20, 10},
            {Utc("2026-03-14T09:26:54.000Z"), 127, 181, 349, 11, 5, -3}};
}

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(LogFile, WrittenRowsReadBackTheSame) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("journal.csv"));
    LogWriter writer;
    ASSERT_TRUE(writer.Open(path)) << writer.Error().toStdString();
    for (const LogRow &row : SomeRows())
        ASSERT_TRUE(writer.Append(row));
    // Each row reaches the file without waiting for a close.
    ASSERT_TRUE(writer.Drain(std::chrono::seconds(20)));
    const QList<QByteArray> lines = ReadAll(path).split('\n');
    ASSERT_EQ(lines.size(), 5); // header, three rows, nothing after the last line break
    EXPECT_EQ(lines[0], LogHeader());
    EXPECT_EQ(lines[2], "2026-03-14T09:26:53.789Z,254,1,179,181,-20,10");
    EXPECT_EQ(writer.Rows(), 3);
    writer.Close();

    const LogReadResult read = ReadLogFile(path);
    ASSERT_FALSE(read.error) << read.error->reason.toStdString();
    EXPECT_EQ(read.rows, SomeRows());
}

TEST(LogFile, WhatIsNoLogIsRefusedWithItsLine) {
    const QByteArray header = LogHeader() + '\n';
    const QByteArray good = "2026-03-14T09:26:53.589Z,0,360,180,180,0,0\n";
    struct Case {
        std::string name;
        QByteArray text;
        int line;                // 0: accepted
        const char *reason = ""; // the reason given, when checked
    };
    const Case cases[] = {
        {"a log", header + good + good, 0},
        {"CR LF line ends and a byte order mark",
         "\xEF\xBB\xBF" + LogHeader() + "\r\n" + good.chopped(1) + "\r\n\r\n", 0},
        {"empty", "", 1},
        {"another CSV file", "a,b,c\n1,2,3\n", 1},
        {"a header alone", header, 2},
        {"a row with a field missing", header + good + "2026-03-14T09:26:53.589Z,0,360,180,180,0\n",
         3, "6 champs au lieu de 7"},
        {"a local time", header + "2026-03-14T09:26:53.589,0,360,180,180,0,0\n", 2},
        {"a raw value above 254", header + "2026-03-14T09:26:53.589Z,255,360,180,180,0,0\n", 2},
        {"a time going back", header + good + "2026-03-14T09:26:53.588Z,0,360,180,180,0,0\n", 3},
        {"a blank line among the rows", header + good + "\n" + good, 3, "1 champ au lieu de 7"},
        {"a NUL byte in a number",
         header + good + QByteArray("2026-03-14T09:26:53.589Z,7\0bad,360,180,180,0,0\n", 47), 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LogReadResult result = ParseLog(c.text);
        if (c.line == 0) {
            EXPECT_FALSE(result.error) << result.error->reason.toStdString();
            EXPECT_FALSE(result.rows.empty());
        } else {
            ASSERT_TRUE(result.error);
            EXPECT_EQ(result.error->line, c.line) << result.error->reason.toStdString();
            EXPECT_TRUE(result.rows.empty());
            if (*c.reason) {
                EXPECT_EQ(result.error->reason.toStdString(), c.reason);
            }
            EXPECT_TRUE(DescribeLogError(QStringLiteral("f.csv"), *result.error)
                            .contains(QStringLiteral("ligne %1").arg(c.line)));
        }
    }
}

// The deviation's column only in a log made with it, empty for rows without a card; logs
// without it read as before.
TEST(LogFile, TheDeviationColumnRoundTripsAndLogsWithoutItStillRead) {
    std::vector<LogRow> rows = SomeRows();
    rows[0].deviationTenths = 23;
    rows[2].deviationTenths = -1800;
    for (const LogLayout layout : {LogLayout::WithDeviation, LogLayout::Plain}) {
        const bool column = layout == LogLayout::WithDeviation;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("journal.csv"));
        LogWriter writer;
        ASSERT_TRUE(writer.Open(path, LogWriter::Existing::Refuse, layout));
        for (const LogRow &row : rows)
            ASSERT_TRUE(writer.Append(row));
        writer.Close();
        const QList<QByteArray> lines = ReadAll(path).split('\n');
        ASSERT_EQ(lines.size(), 5);
        EXPECT_EQ(lines[0], LogHeader() + (column ? ",deviation" : ""));
        EXPECT_EQ(ReadLogFile(path).rows, column ? rows : SomeRows());
    }
    const QByteArray plain = LogHeader() + '\n', withColumn = LogHeader() + ",deviation\n";
    const QByteArray row = "2026-03-14T09:26:53.589Z,0,360,180,180,0,0";
    const struct {
        QByteArray text;
        std::optional<int> deviation; // of the row read
        const char *refusal;          // or why line 2 is refused
    } cases[] = {
        {withColumn + row + ",-4\r\n", -4, ""},
        {withColumn + row + ",\n", std::nullopt, ""},
        {withColumn + row + '\n', std::nullopt, "7 champs au lieu de 8"},
        {plain + row + ",5\n", std::nullopt, "8 champs au lieu de 7"},
        {withColumn + row + ",1801\n", std::nullopt,
         "deviation « 1801 » n'est ni vide ni un entier de -1800 à 1800"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const LogReadResult result = ParseLog(c.text);
        EXPECT_EQ(result.error ? result.error->reason.toStdString() : "", c.refusal);
        ASSERT_EQ(result.rows.size(), *c.refusal ? 0u : 1u);
        EXPECT_EQ(result.rows.empty() ? std::nullopt : result.rows[0].deviationTenths, c.deviation);
    }
}

// A write failing in the middle of a recording is the program tests' (a pipe that closes).
TEST(LogFile, AFileThatCannotBeCreatedOrWrittenIsRefusedWithItsReason) {
    QTemporaryDir dir;
    for (const QString &path :
         {QStringLiteral("/dev/full"), dir.filePath(QStringLiteral("no/f.csv"))}) {
        LogWriter writer;
        EXPECT_FALSE(writer.Open(path)) << path.toStdString();
        EXPECT_FALSE(writer.Error().isEmpty());
        EXPECT_FALSE(writer.Append(SomeRows()[0]));
    }
}

// What a recording does to the file it is given, and what it does when the file stops
// taking rows: never empties a log already there, never waits on the window's thread, keeps
// whole rows only, and says what was lost.
TEST(LogFile, ARecordingNeverReplacesNorWaitsAndKeepsWholeRows) {
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    int reader = -1;
    using Make = std::function<QString(const QString &)>; // from the path of no file yet
    const Make fresh = [](const QString &path) { return path; };
    const Make existing = [](const QString &path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(LogHeader() + '\n' + FormatLogRow(SomeRows()[0]));
        return path;
    };
    const Make fifo = [](const QString &path) {
        EXPECT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return path;
    };
    const Make stalled = [&](const QString &path) { // a reader that never reads
        reader = ::open(QFile::encodeName(fifo(path)).constData(), O_RDONLY | O_NONBLOCK);
        return path;
    };
    const Make full = [](const QString &) { return QStringLiteral("/dev/full"); };
    const Make filling = [](const QString &path) { // room for the header and a row and a half
        rlimit limit{static_cast<rlim_t>(LogHeader().size() + 1 + 44 + 20), RLIM_INFINITY};
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        return path;
    };
    struct Case {
        const char *name;
        Make make;
        bool replace, opens;
        const char *reason; // a part of Error() at the end
        int fileRows;       // the rows in the file at the end (-1: no file to read)
        bool loses;         // rows are counted lost
    };
    const Case cases[] = {
        {"a new file", fresh, false, true, "", 3, false},
        {"a log already there is kept", existing, false, false, "existe déjà", 1, false},
        {"a log the user chose to replace", existing, true, true, "", 3, false},
        {"a named pipe without a reader", fifo, false, false, "aucun programme ne lit", -1, false},
        {"a full device", full, false, false, "le disque est plein", -1, false},
        {"a pipe whose reader stopped", stalled, false, true, "", -1, true},
        {"a file that fills up keeps whole rows", filling, false, true, "large", 1, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = c.make(dir.filePath(QStringLiteral("j.csv")));
        LogWriter writer({.capacity = 16,
                          .finalWait = std::chrono::milliseconds(200),
                          .failed = {},
                          .losing = {}});
        const bool opened = writer.Open(path, c.replace ? LogWriter::Existing::Replace
                                                        : LogWriter::Existing::Refuse);
        EXPECT_EQ(opened, c.opens) << writer.Error().toStdString();
        // Far more rows than a pipe holds: Append returns at once whatever the reader does.
        for (int i = 0; opened && i < (c.loses ? 20000 : 3); ++i)
            writer.Append(SomeRows()[i % 3]);
        writer.Drain(std::chrono::milliseconds(500));
        writer.Close();
        setrlimit(RLIMIT_FSIZE, &unlimited);
        if (reader >= 0)
            ::close(std::exchange(reader, -1));
        EXPECT_TRUE(writer.Error().contains(QString::fromUtf8(c.reason)))
            << writer.Error().toStdString();
        EXPECT_EQ(writer.Lost() > 0, c.loses) << writer.Lost();
        if (c.fileRows >= 0) {
            const QByteArray text = ReadAll(path);
            EXPECT_TRUE(text.endsWith('\n'));
            EXPECT_EQ(static_cast<int>(ParseLog(text).rows.size()), c.fileRows);
            EXPECT_EQ(writer.Written(), c.opens ? c.fileRows : 0);
        }
    }
}

// The reader takes what it is given in bounded pieces: an endless text ends at the bound.
TEST(LogFile, AnEndlessLogStopsAtTheBoundOfBytesRead) {
    const QByteArray row = "2026-03-14T09:26:53.589Z,0,360,180,180,0,0\n";
    long long offered = 0;
    LogStream stream(
        [&](char *data, long long size, QString &) {
            const QByteArray text = offered == 0 ? LogHeader() + '\n' : row;
            const long long n = std::min<long long>(size, text.size());
            std::memcpy(data, text.constData(), static_cast<std::size_t>(n));
            offered += n;
            return n;
        },
        1024 * 1024);
    long long rows = 0;
    while (stream.Next())
        ++rows;
    ASSERT_TRUE(stream.Error());
    EXPECT_FALSE(stream.Error()->cut);
    EXPECT_LE(offered, 1024 * 1024);
    EXPECT_EQ(rows, (1024 * 1024 - LogHeader().size() - 1) / row.size());
    EXPECT_TRUE(stream.Error()->reason.contains(QStringLiteral("1 Mo")));
}

} // namespace
} // namespace headinglog
