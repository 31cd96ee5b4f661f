#include "platform/media/MediaPlayer.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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

namespace {

std::optional<QByteArray> ReadWhole(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

} // namespace

void MediaPlayer::Open() {
    sound_.reset();
    const std::optional<QByteArray> content = ReadWhole(fileName_);
    if (!content) {
        const auto kept = kept_.find(fileName_);
        if (kept == kept_.end() || QFileInfo::exists(QFileInfo(fileName_).absolutePath()))
            throw EFOpenError(fileName_);
        sound_ = kept->second;
        return;
    }
    try {
        sound_ = ParseWave(*content);
        kept_[fileName_] = *sound_;
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
