#include "WavWriter.h"

#include "ByteWriter.h"

#include <algorithm>
#include <cmath>

namespace datagen {

QByteArray encodeWav16Mono(const std::vector<double> &samples, int sampleRate) {
    const std::uint16_t channels = 1;
    const std::uint16_t bitsPerSample = 16;
    const std::uint16_t blockAlign = channels * bitsPerSample / 8;

    ByteWriter out;
    {
        ChunkScope riff(out, "RIFF", "WAVE");
        {
            ChunkScope format(out, "fmt ");
            out.u16(1); // PCM
            out.u16(channels);
            out.u32(static_cast<std::uint32_t>(sampleRate));
            out.u32(static_cast<std::uint32_t>(sampleRate) * blockAlign); // bytes per second
            out.u16(blockAlign);
            out.u16(bitsPerSample);
        }
        ChunkScope data(out, "data");
        for (double s : samples) {
            const double clipped = std::clamp(s, -1.0, 1.0);
            out.i16(static_cast<std::int16_t>(std::lround(clipped * 32767.0)));
        }
    }
    return out.bytes();
}

} // namespace datagen
