// Our reader of RIFF/WAVE sound files: uncompressed PCM, 8 or 16 bits, mono or stereo.
#pragma once

#include "platform/app/Errors.h"

#include <QByteArray>
#include <QString>

namespace platform {

// A file that is readable but is not a PCM WAVE sound we can play; the message, in the
// program's language, names the reason.
class EWaveFormatError : public Exception {
public:
    using Exception::Exception;
};

struct WaveSound {
    int channels = 0;      // 1 or 2
    int sampleRate = 0;    // frames per second
    int bitsPerSample = 0; // 8 (unsigned) or 16 (signed, little-endian)
    QByteArray samples;    // the 'data' chunk, interleaved frames
};

// Parses a whole file image. Chunks may come in any order; odd-sized chunks are followed by
// one pad byte. Throws EWaveFormatError with the reason (the caller adds the file name).
WaveSound ParseWave(const QByteArray &file);

} // namespace platform
