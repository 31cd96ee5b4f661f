// Any bytes as a sound file: a clear refusal, or a PCM sound made of whole frames.
#include "FuzzCheck.h"

#include "platform/media/WavFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const platform::WaveSound sound = platform::ParseWave(file);
        FUZZ_CHECK(sound.channels == 1 || sound.channels == 2);
        FUZZ_CHECK(sound.bitsPerSample == 8 || sound.bitsPerSample == 16);
        FUZZ_CHECK(sound.sampleRate > 0);
        FUZZ_CHECK(sound.samples.size() % (sound.channels * sound.bitsPerSample / 8) == 0);
        FUZZ_CHECK(sound.samples.size() <= file.size());
    } catch (const platform::EWaveFormatError &error) {
        FUZZ_CHECK(!error.Message().isEmpty());
    }
    return 0;
}
