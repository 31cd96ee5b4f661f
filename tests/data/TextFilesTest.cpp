// The installed settings file and the help file.
#include "ShippedData.h"

#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QStringDecoder>

using datatest::shipped;

namespace {

TEST(InstalledSettings, ThirtyCrLfLinesWithTheInstalledValues) {
    const QByteArray text = shipped("Ventrose.inf");
    ASSERT_TRUE(text.endsWith("\r\n"));
    const QList<QByteArray> lines = text.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 30);
    const QList<QByteArray> expected = {
        "1", "Moyenne", "ROSEON",   "Moyenne",   "CERCLEON", "NOUVEAU",  "10",    "+",      "0",
        "+", "0",       "ONAVERTI", "ONAVERTI2", "ONCAP",    "ONORIENT", "ONSON", "ONINFO", "0"};
    for (int i = 0; i < 30; ++i) {
        const QByteArray &line = lines[i];
        const QByteArray withoutCr = i < 29 ? line.chopped(1) : line;
        if (i < 29) {
            EXPECT_TRUE(line.endsWith('\r')) << "line " << i + 1;
        }
        EXPECT_FALSE(withoutCr.contains('\r')) << "line " << i + 1;
        EXPECT_EQ(withoutCr, i < expected.size() ? expected[i] : QByteArray()) << "line " << i + 1;
    }
}

QString helpText() {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(shipped("aide"));
    EXPECT_FALSE(utf8.hasError());
    return text;
}

TEST(HelpFile, EveryTopicHasOneIdAndOneNamedAnchor) {
    const QString html = helpText();
    for (const char *topic : {"som", "rub2", "rub4", "rub5", "rub6", "rub7", "rub8", "rub9",
                              "rub10", "journal", "declinaison-lieu", "partage"}) {
        const QString t = QString::fromLatin1(topic);
        EXPECT_EQ(html.count(QStringLiteral("id=\"%1\"").arg(t)), 1) << topic;
        EXPECT_EQ(html.count(QStringLiteral("<a name=\"%1\">").arg(t)), 1) << topic;
    }
    EXPECT_FALSE(html.contains("\"rub3\""));
    EXPECT_TRUE(html.contains("<meta charset=\"utf-8\">"));
}

TEST(HelpFile, LinksStayInsideTheFileAndReachATopic) {
    const QString html = helpText();
    EXPECT_FALSE(html.contains("src=", Qt::CaseInsensitive));
    EXPECT_FALSE(html.contains("url(", Qt::CaseInsensitive));
    EXPECT_FALSE(html.contains("<link", Qt::CaseInsensitive));
    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    int links = 0;
    for (const auto &match : href.globalMatch(html)) {
        const QString target = match.captured(1);
        ++links;
        ASSERT_TRUE(target.startsWith('#')) << target.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("<a name=\"%1\">").arg(target.mid(1))))
            << target.toStdString();
    }
    EXPECT_GT(links, 8);
}

} // namespace
