// Our reader of the animation clips the wait box plays: RIFF 'AVI ' files with one video
// stream of 8-bit (uncompressed or RLE8) or 24-bit uncompressed frames.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace platform {

struct AviClip {
    int width = 0;
    int height = 0;
    int microsecondsPerFrame = 0;
    std::vector<QImage> frames; // every frame fully decoded, Format_RGB32
};

// Decodes a whole clip; anything it cannot read, or a clip whose decoded frames would take
// more than 32 M pixels, raises EAviError ("Impossible d'ouvrir l'AVI").
AviClip ParseAvi(const QByteArray &file);
AviClip ReadAviFile(const QString &fileName);

} // namespace platform
