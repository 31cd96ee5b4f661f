// The shipped data files read by our own readers: the clip, the sounds, the help and a picture.
#include "platform/desktop/HelpViewer.h"
#include "platform/media/AviFile.h"
#include "platform/media/MediaPlayer.h"
#include "platform/ui/Canvas.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QString Shipped(const QString &name) {
    const QByteArray source = qgetenv("VENTROSE_SOURCE_DIR");
    return source.isEmpty() ? QString()
                            : QDir(QString::fromLocal8Bit(source)).filePath("data/shipped/" + name);
}

TEST(ShippedData, EveryFileOpensWithOurReaders) {
    if (Shipped("rose.avi").isEmpty())
        GTEST_SKIP() << "VENTROSE_SOURCE_DIR is not set";
    const platform::AviClip clip = platform::ReadAviFile(Shipped("rose.avi"));
    EXPECT_EQ(clip.width, 81);
    EXPECT_EQ(clip.height, 81);
    EXPECT_EQ(clip.microsecondsPerFrame, 100000);
    EXPECT_EQ(clip.frames.size(), 12u);

    platform::MediaPlayer player;
    for (const char *sound : {"applaud.wav", "error.wav", "canopen.wav", "ID60.wav"}) {
        player.SetFileName(Shipped(sound));
        EXPECT_NO_THROW(player.Open()) << sound;
    }

    platform::HelpViewer help;
    for (const char *file : {"aide", "aide.en"})
        for (const char *topic :
             {"som", "rub2", "rub4", "rub5", "rub6", "rub7", "rub8", "rub9", "rub10", "journal",
              "declinaison-lieu", "partage", "regulation"}) {
            help.ShowHelpTopic(Shipped(file), topic);
            EXPECT_TRUE(help.TopicFound()) << file << ' ' << topic;
        }

    platform::TBitmap dial;
    dial.LoadFromFile(Shipped("cercle5.bmp"));
    EXPECT_EQ(dial.Width(), 313);
    platform::TBitmap glyph;
    glyph.LoadFromFile(Shipped("tb_liaison.bmp"));
    EXPECT_EQ(glyph.TransparentColor(), platform::RGB(240, 240, 240));
}

} // namespace
