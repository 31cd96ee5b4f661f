// The package's copyright file states the terms of use that the about box shows.
#include "AboutPictures.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QStringList>

#include <string>
#include <vector>

namespace {

// The paragraphs of the body of the stanza "License: <name>" of a machine-readable copyright
// file: its continuation lines unfolded, " ." parting paragraphs.
std::vector<std::string> licenseParagraphs(const QString &copyright, const QString &name) {
    const QStringList lines = copyright.split(QLatin1Char('\n'));
    const qsizetype start = lines.indexOf(QStringLiteral("License: ") + name);
    std::vector<std::string> paragraphs;
    if (start < 0)
        return paragraphs;
    QString current;
    for (qsizetype i = start + 1; i < lines.size() && lines[i].startsWith(QLatin1Char(' ')); ++i) {
        const QString text = lines[i].trimmed();
        if (text == QStringLiteral(".")) {
            paragraphs.push_back(current.toStdString());
            current.clear();
        } else {
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + text;
        }
    }
    if (!current.isEmpty())
        paragraphs.push_back(current.toStdString());
    return paragraphs;
}

TEST(Terms, CopyrightFileStatesTheAboutBoxTermsWordForWord) {
    const QByteArray source = qgetenv("VENTROSE_SOURCE_DIR");
    ASSERT_FALSE(source.isEmpty()) << "VENTROSE_SOURCE_DIR must name the source tree";
    QFile file(QString::fromLocal8Bit(source) + QStringLiteral("/packaging/debian/copyright"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QString copyright = QString::fromUtf8(file.readAll());

    std::vector<std::string> expected;
    for (const datagen::AboutTermsSection &section : datagen::aboutTerms()) {
        expected.push_back(section.heading.toStdString());
        for (const QString &paragraph : section.paragraphs)
            expected.push_back(paragraph.toStdString());
    }
    ASSERT_GE(expected.size(), 4u);
    EXPECT_EQ(licenseParagraphs(copyright, QStringLiteral("Ventrose")), expected)
        << "the stanza \"License: Ventrose\" of packaging/debian/copyright must carry the "
           "about box's terms (data/generator/AboutPictures.cpp), one paragraph each";
}

} // namespace
