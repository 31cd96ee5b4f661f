// Any bytes as the wait box's animation clip: "Impossible d'ouvrir l'AVI", or frames of
// the clip's size.
#include "FuzzCheck.h"

#include "platform/app/Errors.h"
#include "platform/media/AviFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const platform::AviClip clip = platform::ParseAvi(file);
        FUZZ_CHECK(clip.width > 0 && clip.height > 0);
        for (const QImage &frame : clip.frames) {
            FUZZ_CHECK(frame.width() == clip.width && frame.height() == clip.height);
            FUZZ_CHECK(frame.format() == QImage::Format_RGB32);
        }
    } catch (const platform::EAviError &) {
    }
    return 0;
}
