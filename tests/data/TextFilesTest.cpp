// The installed settings file and the help file.
#include "ShippedData.h"

#include "base/Language.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>

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

// The help files, one for each language of the program's table: the same topics under the
// same identifiers.
struct HelpLanguage {
    std::string file;
    std::string code; // of the page's lang attribute
};
std::vector<HelpLanguage> HelpFiles() {
    std::vector<HelpLanguage> files;
    for (const platform::Language language : platform::Languages())
        files.push_back({"aide" + language.Row().helpSuffix, language.Row().code});
    return files;
}

QString helpText(const std::string &file) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(shipped(file.c_str()));
    EXPECT_FALSE(utf8.hasError());
    return text;
}

TEST(HelpFile, EveryTopicHasOneIdAndOneNamedAnchorInTheSameOrder) {
    const QStringList topics = {"som",
                                "rub2",
                                "rub4",
                                "rub5",
                                "rub6",
                                "rub7",
                                "rub8",
                                "rub9",
                                "rub10",
                                "journal",
                                "declinaison-lieu",
                                "partage",
                                "regulation"};
    const QRegularExpression topicStart(QStringLiteral("<div class=\"rubrique\" id=\"([^\"]+)\">"));
    for (const auto &[file, code] : HelpFiles()) {
        SCOPED_TRACE(file);
        const QString html = helpText(file);
        QStringList inOrder;
        for (const auto &match : topicStart.globalMatch(html))
            inOrder += match.captured(1);
        EXPECT_EQ(inOrder, topics);
        for (const QString &t : topics) {
            EXPECT_EQ(html.count(QStringLiteral("id=\"%1\"").arg(t)), 1) << t.toStdString();
            EXPECT_EQ(html.count(QStringLiteral("<a name=\"%1\">").arg(t)), 1) << t.toStdString();
        }
        EXPECT_TRUE(
            html.contains(QStringLiteral("<html lang=\"%1\">").arg(QString::fromStdString(code))));
        EXPECT_TRUE(html.contains("<meta charset=\"utf-8\">"));
    }
}

TEST(HelpFile, LinksStayInsideTheFileAndReachATopic) {
    for (const auto &[file, code] : HelpFiles()) {
        SCOPED_TRACE(file);
        const QString html = helpText(file);
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
}

// The program's texts by context and French source, with their translation, read from the
// language's translation catalogue (empty for French, the source language).
using Catalogue = QHash<QPair<QString, QString>, QString>;

Catalogue readCatalogue(const std::string &code) {
    Catalogue catalogue;
    if (!platform::LanguageNamed(code) || platform::LanguageNamed(code)->IsSource())
        return catalogue;
    QFile file(QDir(qEnvironmentVariable("VENTROSE_SOURCE_DIR"))
                   .filePath(QString::fromStdString("translations/ventrose_" + code + ".ts")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            source = xml.readElementText();
        else if (xml.name() == u"translation")
            catalogue.insert({context, source}, xml.readElementText());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return catalogue;
}

// The help names the menus and windows as the program shows them in the help's language:
// each menu path and each top-level menu is made of the main window's menu captions, and
// each window's topic is headed by that window's title.
TEST(HelpFile, NamesMenusAndWindowsAsTheProgramShowsThem) {
    const Catalogue sources = readCatalogue("en"); // its keys: every context and French text
    ASSERT_FALSE(sources.isEmpty());
    struct Window {
        const char *topic, *context, *title;
    };
    const Window windows[] = {{"rub2", "TForm2", "Port série RS232"},
                              {"rub4", "TForm3", "Options graphiques"},
                              {"rub5", "TForm4", "Types de menus déroulant"},
                              {"rub7", "TForm7", "Centrage du zéro (NORD)"},
                              {"rub8", "TForm5", "Déclinaison magnétique"},
                              {"rub9", "TForm8", "Options logicielles"},
                              {"rub10", "TForm9", "Options matérielles"},
                              {"journal", "HeadingLogWindow", "Journal du cap"},
                              {"partage", "HeadingShareDialog", "Partage du cap (NMEA 0183)"},
                              {"regulation", "SwingDialog", "Régulation du compas"}};
    const QRegularExpression menuPath(
        QStringLiteral("<span class=\"menu\">([^<]*&gt;[^<]*)</span>"));
    const QRegularExpression topMenu(QStringLiteral("<td class=\"menu\">([^<]*)</td>"));
    for (const auto &[file, code] : HelpFiles()) {
        SCOPED_TRACE(file);
        const Catalogue catalogue = readCatalogue(code);
        auto shown = [&](const QString &context, const QString &source) {
            return catalogue.isEmpty() ? source : catalogue.value({context, source});
        };
        QSet<QString> menuCaptions;
        for (auto it = sources.begin(); it != sources.end(); ++it)
            if (it.key().first == u"TForm1")
                menuCaptions.insert(shown("TForm1", it.key().second).remove('&'));
        const QString html = helpText(file);
        int named = 0;
        for (const QRegularExpression &menus : {menuPath, topMenu})
            for (const auto &match : menus.globalMatch(html))
                for (const QString &caption : match.captured(1).split(" &gt; ")) {
                    ++named;
                    EXPECT_TRUE(menuCaptions.contains(caption)) << caption.toStdString();
                }
        EXPECT_GT(named, 10);
        for (const auto &[topic, context, title] : windows) {
            const QRegularExpression heading(
                QStringLiteral("id=\"%1\"><a name=\"%1\"></a>\\s*<h1>([^<]*)</h1>").arg(topic));
            const QString expected = shown(context, QString::fromUtf8(title)).trimmed();
            EXPECT_FALSE(expected.isEmpty()) << topic;
            EXPECT_EQ(heading.match(html).captured(1).toStdString(), expected.toStdString())
                << topic;
        }
    }
}

} // namespace
