#include "headinglog/LogReader.h"
#include "headinglog/LogWriter.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <string>
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

} // namespace
} // namespace headinglog
