// The sounds: PCM WAVE files whose headers agree with their data, of the intended lengths,
// starting and ending in silence (no click).
#include "ShippedData.h"
#include "WavWriter.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace datatest;

namespace {

struct Pcm {
    std::uint16_t format = 0, channels = 0, blockAlign = 0, bits = 0;
    std::uint32_t rate = 0, byteRate = 0;
    std::vector<std::int16_t> samples;
};

// Reads a WAVE file the way a strict player does; fails the test on any inconsistency.
Pcm parseWav(const QByteArray &wav) {
    Pcm pcm;
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(wav.mid(8, 4), "WAVE");
    EXPECT_EQ(u32At(wav, 4), std::uint32_t(wav.size() - 8));
    const auto chunks = chunksIn(wav, 12, wav.size());
    EXPECT_TRUE(chunks.has_value());
    if (!chunks)
        return pcm;
    const auto fmt = find(*chunks, "fmt ");
    const auto data = find(*chunks, "data");
    EXPECT_TRUE(fmt && data);
    if (!fmt || !data)
        return pcm;
    EXPECT_EQ(fmt->size, 16u);
    pcm.format = u16At(wav, fmt->data());
    pcm.channels = u16At(wav, fmt->data() + 2);
    pcm.rate = u32At(wav, fmt->data() + 4);
    pcm.byteRate = u32At(wav, fmt->data() + 8);
    pcm.blockAlign = u16At(wav, fmt->data() + 12);
    pcm.bits = u16At(wav, fmt->data() + 14);
    EXPECT_LT(fmt->offset, data->offset);
    EXPECT_EQ(data->size % 2, 0u);
    for (qsizetype at = data->data(); at < data->data() + data->size; at += 2)
        pcm.samples.push_back(std::int16_t(u16At(wav, at)));
    return pcm;
}

TEST(Sounds, AreConsistent16BitMonoPcmOfTheIntendedLength) {
    const struct {
        const char *name;
        double minSeconds, maxSeconds;
    } sounds[] = {{"applaud.wav", 1.7, 2.5},
                  {"error.wav", 0.5, 0.8},
                  {"canopen.wav", 0.2, 0.4},
                  {"ID60.wav", 1.2, 1.8}};
    for (const auto &s : sounds) {
        SCOPED_TRACE(s.name);
        const Pcm pcm = parseWav(shipped(s.name));
        EXPECT_EQ(pcm.format, 1);
        EXPECT_EQ(pcm.channels, 1);
        EXPECT_EQ(pcm.rate, 22050u);
        EXPECT_EQ(pcm.bits, 16);
        EXPECT_EQ(pcm.blockAlign, 2);
        EXPECT_EQ(pcm.byteRate, pcm.rate * pcm.blockAlign);
        const double seconds = double(pcm.samples.size()) / 22050;
        EXPECT_GE(seconds, s.minSeconds);
        EXPECT_LE(seconds, s.maxSeconds);
        ASSERT_FALSE(pcm.samples.empty());
        int peak = 0;
        for (auto v : pcm.samples)
            peak = std::max(peak, std::abs(int(v)));
        EXPECT_GT(peak, 8000) << "audible";
        EXPECT_LT(peak, 32767) << "not clipped";
        EXPECT_LT(std::abs(int(pcm.samples.front())), 200);
        EXPECT_LT(std::abs(int(pcm.samples.back())), 200);
    }
}

TEST(Sounds, EncoderClipsAndRoundsSamples) {
    const Pcm pcm = parseWav(datagen::encodeWav16Mono({0.0, 0.5, -0.5, 1.5, -3.0}, 8000));
    EXPECT_EQ(pcm.rate, 8000u);
    EXPECT_EQ(pcm.byteRate, 16000u);
    const std::vector<std::int16_t> expected{0, 16384, -16384, 32767, -32767};
    EXPECT_EQ(pcm.samples, expected);
}

TEST(Sounds, EncoderWritesAnEmptyDataChunk) {
    const Pcm pcm = parseWav(datagen::encodeWav16Mono({}, 22050));
    EXPECT_EQ(pcm.format, 1);
    EXPECT_TRUE(pcm.samples.empty());
}

} // namespace
