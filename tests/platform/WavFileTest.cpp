// The WAV parser and the media player's two kinds of open errors.
#include "platform/media/WavFile.h"
#include "platform/media/MediaPlayer.h"

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include "platform/RiffBytes.h"

namespace {

using platform::EWaveFormatError;
using platform::ParseWave;

using namespace riff;
QByteArray Fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 align = quint16(channels * bits / 8);
    return Chunk("fmt ",
                 U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits));
}
QByteArray Riff(const QByteArray &chunks) {
    return "RIFF" + U32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QString MessageOf(const QByteArray &file) {
    try {
        ParseWave(file);
    } catch (const EWaveFormatError &e) {
        return e.Message();
    }
    return {};
}

TEST(WavFile, ReadsPcmFormatsAndSamples) {
    const QByteArray mono8 =
        Riff(Fmt(1, 1, 11025, 8) + Chunk("data", QByteArray("\x80\x90\xA0\xB0", 4)));
    auto sound = ParseWave(mono8);
    EXPECT_EQ(sound.channels, 1);
    EXPECT_EQ(sound.sampleRate, 11025);
    EXPECT_EQ(sound.bitsPerSample, 8);
    EXPECT_EQ(sound.samples, QByteArray("\x80\x90\xA0\xB0", 4));

    const QByteArray stereo16 = Riff(Fmt(1, 2, 44100, 16) + Chunk("data", QByteArray(8, '\x01')));
    sound = ParseWave(stereo16);
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.bitsPerSample, 16);
    EXPECT_EQ(sound.samples.size(), 8);
}

TEST(WavFile, AcceptsChunksInAnyOrderWithOddPadding) {
    // An odd-sized unknown chunk before the data, and the data before the format.
    const QByteArray file =
        Riff(Chunk("LIST", "abc") + Chunk("data", QByteArray("\x01\x02\x03", 3)) +
             Chunk("junk", "x") + Fmt(1, 1, 8000, 8));
    const auto sound = ParseWave(file);
    EXPECT_EQ(sound.samples, QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(sound.sampleRate, 8000);
}

TEST(WavFile, AcceptsTheExtensibleHeaderOnlyForPcm) {
    auto extensible = [](quint16 subFormat) {
        const QByteArray body = U16(0xFFFE) + U16(1) + U32(8000) + U32(16000) + U16(2) + U16(16) +
                                U16(22) + U16(16) + U32(4) + U16(subFormat) + QByteArray(14, 'g');
        return Riff(Chunk("fmt ", body) + Chunk("data", "abcd"));
    };
    EXPECT_EQ(ParseWave(extensible(1)).bitsPerSample, 16);
    EXPECT_TRUE(MessageOf(extensible(3)).contains("format de codage 3"));
}

TEST(WavFile, DropsAPartialLastFrame) {
    const auto sound = ParseWave(Riff(Fmt(1, 2, 8000, 16) + Chunk("data", QByteArray(7, 'a'))));
    EXPECT_EQ(sound.samples.size(), 4);
}

TEST(WavFile, RefusesDamagedOrForeignFilesWithTheReason) {
    const QByteArray good = Riff(Fmt(1, 1, 8000, 8) + Chunk("data", QByteArray(100, 'a')));
    EXPECT_EQ(MessageOf(good), QString());
    EXPECT_EQ(MessageOf(good.left(good.size() - 10)), "fichier tronqué");
    EXPECT_EQ(MessageOf(good.left(30)), "fichier tronqué");
    EXPECT_EQ(MessageOf(good.left(10)), "ce n'est pas un fichier RIFF/WAVE");
    EXPECT_EQ(MessageOf("RIFX" + good.mid(4)), "ce n'est pas un fichier RIFF/WAVE");
    EXPECT_EQ(MessageOf(Riff(Fmt(1, 1, 8000, 8))), "bloc de données absent ou tronqué");
    EXPECT_EQ(MessageOf(Riff(Chunk("data", "ab"))), "bloc de format absent");
    EXPECT_TRUE(MessageOf(Riff(Fmt(3, 1, 8000, 32) + Chunk("data", "abcd")))
                    .contains("format de codage 3"));
    EXPECT_TRUE(MessageOf(Riff(Fmt(0x11, 1, 8000, 4) + Chunk("data", "ab")))
                    .contains("format de codage 17"));
    EXPECT_TRUE(MessageOf(Riff(Fmt(1, 1, 8000, 24) + Chunk("data", "abc")))
                    .contains("taille d'échantillon"));
    EXPECT_TRUE(MessageOf(Riff(Fmt(1, 6, 8000, 16) + Chunk("data", "ab"))).contains("canaux"));
}

class MediaPlayerTest : public ::testing::Test {
protected:
    QString Write(const QString &name, const QByteArray &content) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    QString OpenError(const QString &path) {
        player.SetFileName(path);
        try {
            player.Open();
        } catch (const platform::Exception &e) {
            return e.Message();
        }
        return {};
    }
    QTemporaryDir dir;
    platform::MediaPlayer player;
};

TEST_F(MediaPlayerTest, OpenTellsAMissingFileFromABadOne) {
    const QString missing = dir.filePath("absent.wav");
    EXPECT_EQ(OpenError(missing), "Impossible d'ouvrir le fichier " + missing);
    EXPECT_FALSE(player.IsOpen());

    const QString text = Write("texte.wav", "ceci n'est pas un son");
    EXPECT_EQ(OpenError(text), "Le fichier " + text +
                                   " n'est pas un son WAVE PCM lisible : ce n'est pas un fichier "
                                   "RIFF/WAVE");
    EXPECT_FALSE(player.IsOpen());

    const QString good =
        Write("bon.wav", Riff(Fmt(1, 1, 8000, 8) + Chunk("data", QByteArray(800, '\x80'))));
    EXPECT_EQ(OpenError(good), QString());
    ASSERT_TRUE(player.IsOpen());
    EXPECT_EQ(player.OpenedSound()->samples.size(), 800);

    // A failed open leaves nothing playable behind.
    EXPECT_FALSE(OpenError(text).isEmpty());
    EXPECT_FALSE(player.IsOpen());
}

TEST_F(MediaPlayerTest, PlayWithoutASoundDeviceSaysNothing) {
    const QString good =
        Write("bon.wav", Riff(Fmt(1, 1, 8000, 8) + Chunk("data", QByteArray(800, '\x80'))));
    player.Play(); // nothing opened yet
    player.SetFileName(good);
    player.Open();
    EXPECT_NO_THROW(player.Play());
    EXPECT_NO_THROW(player.Play()); // again: the first one is stopped
    if (QMediaDevices::audioOutputs().isEmpty()) {
        EXPECT_FALSE(player.IsPlaying());
    }
}

} // namespace
