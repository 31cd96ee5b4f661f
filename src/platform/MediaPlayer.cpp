#include "platform/MediaPlayer.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>

namespace platform {
namespace {

QAudioFormat ToAudioFormat(const WaveSound &sound) {
    QAudioFormat format;
    format.setChannelCount(sound.channels);
    format.setSampleRate(sound.sampleRate);
    format.setSampleFormat(sound.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

} // namespace

MediaPlayer::MediaPlayer() = default;

MediaPlayer::~MediaPlayer() { Stop(); }

void MediaPlayer::Open() {
    sound_.reset();
    QFile file(fileName_);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(fileName_);
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFOpenError(fileName_);
    try {
        sound_ = ParseWave(content);
    } catch (const EWaveFormatError &error) {
        throw EWaveFormatError(
            QCoreApplication::translate("MediaPlayer",
                                        "Le fichier %1 n'est pas un son WAVE PCM lisible : %2")
                .arg(fileName_, error.Message()));
    }
}

void MediaPlayer::Play() {
    Stop();
    if (!sound_ || sound_->samples.isEmpty())
        return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    buffer_ = std::make_unique<QBuffer>();
    buffer_->setData(sound_->samples);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, ToAudioFormat(*sound_));
    // The sink reads the buffer on its own; once the buffer runs dry it goes idle and the
    // next Play (or the destructor) releases it.
    sink_->start(buffer_.get());
    if (sink_->error() != QAudio::NoError)
        Stop();
}

bool MediaPlayer::IsPlaying() const { return sink_ && sink_->state() == QAudio::ActiveState; }

void MediaPlayer::Stop() {
    if (sink_)
        sink_->stop();
    sink_.reset();
    buffer_.reset();
}

} // namespace platform
