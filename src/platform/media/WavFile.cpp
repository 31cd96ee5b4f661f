#include "platform/media/WavFile.h"

#include <QCoreApplication>
#include <QtEndian>

#include <optional>

namespace platform {
namespace {

constexpr quint16 kFormatPcm = 1;
constexpr quint16 kFormatExtensible = 0xFFFE;

quint32 ReadU32(const char *p) { return qFromLittleEndian<quint32>(p); }
quint16 ReadU16(const char *p) { return qFromLittleEndian<quint16>(p); }

// reason: a source text marked for translation.
[[noreturn]] void Refuse(const char *reason) {
    throw EWaveFormatError(QCoreApplication::translate("WavFile", reason));
}

WaveSound ReadFormat(const char *p, quint32 size) {
    if (size < 16)
        Refuse(QT_TRANSLATE_NOOP("WavFile", "en-tête de format trop court"));
    quint16 tag = ReadU16(p);
    // The extensible header names its real coding in the first two bytes of its sub-format.
    if (tag == kFormatExtensible && size >= 26)
        tag = ReadU16(p + 24);
    if (tag != kFormatPcm)
        throw EWaveFormatError(
            QCoreApplication::translate(
                "WavFile", "format de codage %1 non pris en charge (seul le PCM l'est)")
                .arg(tag));
    WaveSound sound;
    sound.channels = ReadU16(p + 2);
    sound.sampleRate = static_cast<int>(ReadU32(p + 4));
    sound.bitsPerSample = ReadU16(p + 14);
    if (sound.channels != 1 && sound.channels != 2)
        Refuse(QT_TRANSLATE_NOOP("WavFile", "nombre de canaux non pris en charge"));
    if (sound.bitsPerSample != 8 && sound.bitsPerSample != 16)
        Refuse(QT_TRANSLATE_NOOP("WavFile",
                                 "taille d'échantillon non prise en charge (8 ou 16 bits)"));
    if (ReadU32(p + 4) == 0 || ReadU32(p + 4) > 1000000)
        Refuse(QT_TRANSLATE_NOOP("WavFile", "fréquence d'échantillonnage invalide"));
    return sound;
}

} // namespace

WaveSound ParseWave(const QByteArray &file) {
    const char *data = file.constData();
    const qsizetype size = file.size();
    if (size < 12 || file.left(4) != "RIFF" || file.mid(8, 4) != "WAVE")
        Refuse(QT_TRANSLATE_NOOP("WavFile", "ce n'est pas un fichier RIFF/WAVE"));
    // The RIFF size may claim more than the file holds: only what is really there counts.
    const qsizetype end = std::min<qsizetype>(size, 8 + qsizetype(ReadU32(data + 4)));

    std::optional<WaveSound> format;
    std::optional<QByteArray> samples;
    qsizetype pos = 12;
    while (pos + 8 <= end) {
        const QByteArray id = file.mid(pos, 4);
        const qsizetype chunkSize = ReadU32(data + pos + 4);
        const qsizetype body = pos + 8;
        if (chunkSize > end - body)
            Refuse(QT_TRANSLATE_NOOP("WavFile", "fichier tronqué"));
        if (id == "fmt " && !format)
            format = ReadFormat(data + body, quint32(chunkSize));
        else if (id == "data" && !samples)
            samples = file.mid(body, chunkSize);
        pos = body + chunkSize + (chunkSize & 1);
    }
    if (!format)
        Refuse(samples ? QT_TRANSLATE_NOOP("WavFile", "bloc de format absent")
                       : QT_TRANSLATE_NOOP("WavFile", "fichier tronqué"));
    if (!samples)
        Refuse(QT_TRANSLATE_NOOP("WavFile", "bloc de données absent ou tronqué"));

    WaveSound sound = *format;
    const int frameBytes = sound.channels * sound.bitsPerSample / 8;
    // A partial last frame cannot be played: it is dropped.
    samples->truncate(samples->size() - samples->size() % frameBytes);
    sound.samples = std::move(*samples);
    return sound;
}

} // namespace platform
