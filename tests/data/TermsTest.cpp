// The package's copyright file states the terms of use that the about box shows.
#include "AboutPictures.h"

#include <gtest/gtest.h>
#include <QFile>

#include <string>
#include <vector>

namespace {

TEST(Terms, CopyrightFileStatesTheAboutBoxTermsWordForWord) {
    const QByteArray source = qgetenv("VENTROSE_SOURCE_DIR");
    ASSERT_FALSE(source.isEmpty()) << "VENTROSE_SOURCE_DIR must name the source tree";
    QFile file(QString::fromLocal8Bit(source) + QStringLiteral("/packaging/debian/copyright"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();

    // The body of "License: Ventrose": its continuation lines unfolded, " ." between
    // paragraphs.
    std::vector<std::string> stated;
    bool inBody = false;
    QString paragraph;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!inBody) {
            inBody = line == QStringLiteral("License: Ventrose");
            continue;
        }
        if (!line.startsWith(QLatin1Char(' ')) || line == QStringLiteral(" .")) {
            stated.push_back(paragraph.toStdString());
            paragraph.clear();
            if (line != QStringLiteral(" ."))
                break;
        } else {
            paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + line.trimmed();
        }
    }

    std::vector<std::string> shown;
    for (const datagen::AboutTermsSection &section : datagen::aboutTerms()) {
        shown.push_back(section.heading.toStdString());
        for (const QString &text : section.paragraphs)
            shown.push_back(text.toStdString());
    }
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(stated, shown) << "the stanza \"License: Ventrose\" of packaging/debian/copyright "
                                "carries the about box's terms (data/generator/AboutPictures.cpp)";
}

} // namespace
