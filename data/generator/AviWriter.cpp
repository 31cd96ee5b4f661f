#include "AviWriter.h"

#include "BmpWriter.h"
#include "ByteWriter.h"

namespace datagen {
namespace {

constexpr std::uint32_t kAvifHasIndex = 0x10;
constexpr std::uint32_t kAviifKeyframe = 0x10;

void writeClip(ByteWriter &out, const IndexedFrames &clip, int width, int height,
               int framesPerSecond) {
    const auto frameBytes = static_cast<std::uint32_t>(rowBytes8(width) * height);
    const auto frameCount = static_cast<std::uint32_t>(clip.frames.size());
    const auto fps = static_cast<std::uint32_t>(framesPerSecond);

    ChunkScope riff(out, "RIFF", "AVI ");
    {
        ChunkScope hdrl(out, "LIST", "hdrl");
        {
            ChunkScope avih(out, "avih");
            out.u32(1000000 / fps); // microseconds per frame
            out.u32(frameBytes * fps);
            out.u32(0); // padding granularity
            out.u32(kAvifHasIndex);
            out.u32(frameCount);
            out.u32(0); // initial frames
            out.u32(1); // streams
            out.u32(frameBytes);
            out.i32(width);
            out.i32(height);
            out.zeros(16); // reserved
        }
        ChunkScope strl(out, "LIST", "strl");
        {
            ChunkScope strh(out, "strh");
            out.fourcc("vids");
            out.u32(0); // handler: uncompressed
            out.u32(0); // flags
            out.u16(0); // priority
            out.u16(0); // language
            out.u32(0); // initial frames
            out.u32(1); // scale
            out.u32(fps);
            out.u32(0); // start
            out.u32(frameCount);
            out.u32(frameBytes);
            out.u32(0xffffffffu); // default quality
            out.u32(0);           // sample size: varies per frame
            out.i16(0);           // frame rectangle
            out.i16(0);
            out.i16(static_cast<std::int16_t>(width));
            out.i16(static_cast<std::int16_t>(height));
        }
        ChunkScope strf(out, "strf");
        writeBitmapInfo(out, width, height, 8, frameBytes, 0, clip.palette);
    }

    std::vector<std::uint32_t> offsets;
    {
        ChunkScope movi(out, "LIST", "movi");
        const qsizetype moviFourcc = movi.start() + 8;
        for (const auto &frame : clip.frames) {
            offsets.push_back(static_cast<std::uint32_t>(out.size() - moviFourcc));
            ChunkScope chunk(out, "00db");
            out.raw(bottomUpRows8(frame, width, height));
        }
    }
    ChunkScope idx1(out, "idx1");
    for (std::uint32_t offset : offsets) {
        out.fourcc("00db");
        out.u32(kAviifKeyframe);
        out.u32(offset);
        out.u32(frameBytes);
    }
}

} // namespace

QByteArray encodeAvi8(const IndexedFrames &clip, int width, int height, int framesPerSecond) {
    ByteWriter out;
    writeClip(out, clip, width, height, framesPerSecond);
    return out.bytes();
}

} // namespace datagen
