// Encodes an 8-bit palette clip as an uncompressed AVI: RIFF 'AVI ' with LIST 'hdrl' ('avih',
// LIST 'strl' with 'strh' and 'strf'), LIST 'movi' with one '00db' chunk per frame, and an
// 'idx1' index whose offsets count from the 'movi' four-character code.
#pragma once

#include "Quantizer.h"

#include <QByteArray>

namespace datagen {

QByteArray encodeAvi8(const IndexedFrames &clip, int width, int height, int framesPerSecond);

} // namespace datagen
