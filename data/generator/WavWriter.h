// Encodes mono samples as a PCM WAVE file: RIFF 'WAVE' with a 16-byte 'fmt ' chunk (PCM,
// 1 channel, 16 bits) and a 'data' chunk.
#pragma once

#include <QByteArray>
#include <vector>

namespace datagen {

// Samples are in -1..1; values outside are clipped. Each is rounded to the nearest 16-bit step.
QByteArray encodeWav16Mono(const std::vector<double> &samples, int sampleRate);

} // namespace datagen
