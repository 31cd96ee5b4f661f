// The help window: topics by anchor, and no failure whatever the help file holds.
#include "platform/desktop/HelpViewer.h"

#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QString html = "<html><body>";
        for (const char *topic : {"som", "rub2", "rub9"}) {
            html += QString("<h1><a name=\"%1\"></a>Rubrique %1</h1>").arg(topic);
            for (int i = 0; i < 60; ++i)
                html += "<p>Texte de la rubrique, é à ç.</p>";
        }
        html += "</body></html>";
        helpFile = dir.filePath("aide");
        QFile file(helpFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(html.toUtf8());
    }
    int ScrollPosition() const { return viewer.Browser()->verticalScrollBar()->value(); }

    QTemporaryDir dir;
    QString helpFile;
    platform::HelpViewer viewer;
};

TEST_F(HelpViewerTest, OpensTheTopicInAWindowThatDoesNotWait) {
    viewer.ShowHelpTopic(helpFile, "rub9");
    ASSERT_NE(viewer.Window(), nullptr);
    EXPECT_TRUE(viewer.Window()->isVisible());
    EXPECT_FALSE(viewer.Window()->isModal());
    EXPECT_EQ(viewer.Window()->windowTitle(), "Aide de Ventrose");
    EXPECT_TRUE(viewer.TopicFound());
    const int atRub9 = ScrollPosition();
    EXPECT_GT(atRub9, 0);
    EXPECT_TRUE(viewer.Browser()->toPlainText().contains("é à ç"));

    viewer.ShowHelpTopic(helpFile, "rub2");
    EXPECT_GT(ScrollPosition(), 0);
    EXPECT_LT(ScrollPosition(), atRub9);
}

TEST_F(HelpViewerTest, UnknownTopicOrMissingFileStillShowsSomething) {
    viewer.ShowHelpTopic(helpFile, "rub9");
    viewer.ShowHelpTopic(helpFile, "rub99");
    EXPECT_FALSE(viewer.TopicFound());
    EXPECT_EQ(ScrollPosition(), 0);
    EXPECT_TRUE(viewer.Browser()->toPlainText().contains("Rubrique som"));

    const QString missing = dir.filePath("absent");
    EXPECT_NO_THROW(viewer.ShowHelpTopic(missing, "som"));
    EXPECT_TRUE(viewer.Window()->isVisible());
    EXPECT_FALSE(viewer.TopicFound());
    EXPECT_TRUE(viewer.Browser()->toPlainText().contains("introuvable"));

    // Once the file is there, the next request finds it.
    ASSERT_TRUE(QFile::copy(helpFile, missing));
    viewer.ShowHelpTopic(missing, "rub2");
    EXPECT_TRUE(viewer.TopicFound());
}

} // namespace
