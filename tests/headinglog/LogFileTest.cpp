#include "headinglog/LogReader.h"
#include "headinglog/LogWriter.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <csignal>
#include <fcntl.h>
#include <string>
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
    // Each row is in the file as soon as it is appended, before any close.
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

TEST(LogFile, TimesKeepTheirMillisecondsInAnyTimeZone) {
    LogRow row = SomeRows()[0];
    row.time = QDateTime::fromMSecsSinceEpoch(1, QTimeZone(3600 * 5 + 1800)); // not UTC
    EXPECT_TRUE(FormatLogRow(row).startsWith("1970-01-01T00:00:00.001Z,"));
}

TEST(LogFile, WhatIsNoLogIsRefusedWithItsLine) {
    const QByteArray header = LogHeader() + '\n';
    const QByteArray good = "2026-03-14T09:26:53.589Z,0,360,180,180,0,0\n";
    struct Case {
        std::string name;
        QByteArray text;
        int line; // 0: accepted
    };
    const Case cases[] = {
        {"a log", header + good + good, 0},
        {"CR LF line ends and a byte order mark",
         "\xEF\xBB\xBF" + LogHeader() + "\r\n" + good.chopped(1) + "\r\n\r\n", 0},
        {"empty", "", 1},
        {"another CSV file", "a,b,c\n1,2,3\n", 1},
        {"a header alone", header, 2},
        {"a row with a field missing", header + good + "2026-03-14T09:26:53.589Z,0,360,180,180,0\n",
         3},
        {"a local time", header + "2026-03-14T09:26:53.589,0,360,180,180,0,0\n", 2},
        {"no time at all", header + "hier,0,360,180,180,0,0\n", 2},
        {"a raw value above 254", header + "2026-03-14T09:26:53.589Z,255,360,180,180,0,0\n", 2},
        {"a heading of 360", header + "2026-03-14T09:26:53.589Z,0,360,360,180,0,0\n", 2},
        {"a decimal comma", header + "2026-03-14T09:26:53.589Z,0,360,180,180,0,0,5\n", 2},
        {"a time going back", header + good + "2026-03-14T09:26:53.588Z,0,360,180,180,0,0\n", 3},
        {"a blank line among the rows", header + good + "\n" + good, 3},
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
            EXPECT_TRUE(DescribeLogError(QStringLiteral("f.csv"), *result.error)
                            .contains(QStringLiteral("ligne %1").arg(c.line)));
        }
    }
}

TEST(LogFile, AFailedWriteIsKeptAndEndsTheWriting) {
    // A pipe whose reader goes away fails the next write, as a full disk does.
    std::signal(SIGPIPE, SIG_IGN);
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const int reader = open(fifo.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    LogWriter writer;
    ASSERT_TRUE(writer.Open(fifo));
    ASSERT_TRUE(writer.Append(SomeRows()[0]));
    close(reader);
    EXPECT_FALSE(writer.Append(SomeRows()[1]));
    EXPECT_FALSE(writer.Error().isEmpty());
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_FALSE(writer.Append(SomeRows()[2]));
    EXPECT_EQ(writer.Rows(), 1);

    // Full from the start: the header already fails.
    LogWriter full;
    EXPECT_FALSE(full.Open(QStringLiteral("/dev/full")));
    EXPECT_FALSE(full.Error().isEmpty());
    // A folder that does not exist.
    EXPECT_FALSE(full.Open(dir.filePath(QStringLiteral("nowhere/journal.csv"))));
}

} // namespace
} // namespace headinglog
