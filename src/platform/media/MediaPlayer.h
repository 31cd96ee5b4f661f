// The sound-effect player: opens a WAV file with our own parser and plays it without waiting.
#pragma once

#include "platform/media/WavFile.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <optional>

class QAudioSink;
class QBuffer;

namespace platform {

// What the windows need from a player; tests put a recording one in its place.
class IMediaPlayer {
public:
    virtual ~IMediaPlayer() = default;
    virtual QString FileName() const = 0;
    virtual void SetFileName(const QString &fileName) = 0;
    // Reads and checks FileName. A missing or unreadable file raises EFOpenError; a file
    // that is no PCM WAVE sound raises EWaveFormatError, both naming the file.
    virtual void Open() = 0;
    // Starts the opened sound and returns at once; a sound still playing is stopped first.
    virtual void Play() = 0;
};

class MediaPlayer : public IMediaPlayer {
public:
    MediaPlayer();
    ~MediaPlayer() override;
    MediaPlayer(const MediaPlayer &) = delete;
    MediaPlayer &operator=(const MediaPlayer &) = delete;

    QString FileName() const override { return fileName_; }
    void SetFileName(const QString &fileName) override { fileName_ = fileName; }
    // A sound opened before is kept: when the installation folder (the file's) is gone,
    // Open takes it instead of failing.
    void Open() override;
    // Without a sound device, or when the device refuses the format, nothing is played and
    // nothing is reported: sound effects are never worth an error box.
    void Play() override;

    bool IsOpen() const { return sound_.has_value(); }
    const WaveSound *OpenedSound() const { return sound_ ? &*sound_ : nullptr; }
    // True while a sound is being sent to the device.
    bool IsPlaying() const;

private:
    void Stop();

    QString fileName_;
    std::optional<WaveSound> sound_;
    std::map<QString, WaveSound> kept_; // by file name
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace platform
