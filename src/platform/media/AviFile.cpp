#include "platform/media/AviFile.h"

#include "platform/app/Errors.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <cstdint>
#include <optional>

namespace platform {
namespace {

constexpr int kMaxSide = 4096;
constexpr qint64 kMaxDecodedPixels = 32 * 1024 * 1024;
constexpr quint32 kBiRgb = 0, kBiRle8 = 1;

[[noreturn]] void Fail() { throw EAviError(); }

// A bounded view of the file; every read is checked against its end.
struct Span {
    const char *data = nullptr;
    qsizetype size = 0;

    quint32 U32(qsizetype at) const {
        if (at < 0 || at + 4 > size)
            Fail();
        return qFromLittleEndian<quint32>(data + at);
    }
    qint32 I32(qsizetype at) const { return static_cast<qint32>(U32(at)); }
    quint16 U16(qsizetype at) const {
        if (at < 0 || at + 2 > size)
            Fail();
        return qFromLittleEndian<quint16>(data + at);
    }
    QByteArray Id(qsizetype at) const {
        if (at < 0 || at + 4 > size)
            Fail();
        return QByteArray(data + at, 4);
    }
    Span Sub(qsizetype at, qsizetype length) const {
        if (at < 0 || length < 0 || at + length > size)
            Fail();
        return {data + at, length};
    }
};

struct Chunk {
    QByteArray id;
    Span body;
};

// The chunks of a RIFF list, each followed by its pad byte when odd-sized. A list whose last
// chunk runs past its end is a damaged file.
std::vector<Chunk> Chunks(const Span &list) {
    std::vector<Chunk> chunks;
    qsizetype pos = 0;
    while (pos + 8 <= list.size) {
        const qsizetype length = list.U32(pos + 4);
        chunks.push_back({list.Id(pos), list.Sub(pos + 8, length)});
        pos += 8 + length + (length & 1);
    }
    return chunks;
}

// "LIST" chunks carry their type first, then their own chunks.
std::optional<std::vector<Chunk>> ListOf(const Chunk &chunk, const char *type) {
    if (chunk.id != "LIST" || chunk.body.Id(0) != type)
        return std::nullopt;
    return Chunks(chunk.body.Sub(4, chunk.body.size - 4));
}

struct VideoFormat {
    int width = 0, height = 0;
    bool bottomUp = true;
    int bitCount = 0;
    quint32 compression = 0;
    std::array<QRgb, 256> palette{};
    int microsecondsPerFrame = 0;
};

VideoFormat ReadStreamFormat(const Span &strh, const Span &strf) {
    if (strh.Id(0) != "vids")
        Fail();
    const QByteArray handler = strh.Id(4);
    if (handler != QByteArray(4, '\0') && handler != "DIB " && handler != "RLE ")
        Fail();
    VideoFormat format;
    const quint32 scale = strh.U32(20), rate = strh.U32(24);
    if (scale && rate)
        format.microsecondsPerFrame = int(qint64(scale) * 1000000 / rate);

    const qsizetype headerSize = strf.U32(0);
    if (headerSize < 40)
        Fail();
    format.width = strf.I32(4);
    const qint32 height = strf.I32(8);
    format.bottomUp = height > 0;
    format.height = height < 0 ? -height : height;
    format.bitCount = strf.U16(14);
    format.compression = strf.U32(16);
    if (format.width <= 0 || format.height <= 0 || format.width > kMaxSide ||
        format.height > kMaxSide)
        Fail();
    const bool palettized =
        format.bitCount == 8 && (format.compression == kBiRgb || format.compression == kBiRle8);
    const bool trueColour = format.bitCount == 24 && format.compression == kBiRgb;
    if (!palettized && !trueColour)
        Fail();
    if (palettized) {
        const quint32 used = strf.U32(32);
        const qsizetype entries =
            std::min<qsizetype>({used ? qsizetype(used) : 256, 256, (strf.size - headerSize) / 4});
        for (qsizetype i = 0; i < entries; ++i) {
            const qsizetype at = headerSize + 4 * i;
            format.palette[i] =
                qRgb(quint8(strf.data[at + 2]), quint8(strf.data[at + 1]), quint8(strf.data[at]));
        }
    }
    return format;
}

int Stride(const VideoFormat &f) { return (f.width * f.bitCount + 31) / 32 * 4; }

// Frames are kept as palette indices (for 24-bit clips, as packed colours) so that an RLE8
// frame draws over the previous one exactly as it was.
class FrameDecoder {
public:
    explicit FrameDecoder(const VideoFormat &format)
        : f_(format), pixels_(std::size_t(format.width) * format.height, 0) {}

    QImage Decode(const Span &data, bool compressed) {
        if (f_.compression == kBiRle8 && compressed)
            DecodeRle8(data);
        else if (data.size > 0)
            DecodeRows(data);
        // An empty chunk repeats the previous frame.
        return ToImage();
    }

private:
    // Row 0 of the stored picture is the bottom one unless the height was negative.
    std::size_t Index(int x, int storedRow) const {
        const int y = f_.bottomUp ? f_.height - 1 - storedRow : storedRow;
        return std::size_t(y) * f_.width + x;
    }

    void DecodeRows(const Span &data) {
        const int stride = Stride(f_);
        if (data.size < qsizetype(stride) * f_.height)
            Fail();
        for (int row = 0; row < f_.height; ++row) {
            const auto *line =
                reinterpret_cast<const quint8 *>(data.data) + qsizetype(row) * stride;
            for (int x = 0; x < f_.width; ++x)
                pixels_[Index(x, row)] = f_.bitCount == 8
                                             ? line[x]
                                             : qRgb(line[3 * x + 2], line[3 * x + 1], line[3 * x]);
        }
    }

    void DecodeRle8(const Span &data) {
        const auto *p = reinterpret_cast<const quint8 *>(data.data);
        const qsizetype n = data.size;
        auto need = [&](qsizetype at, qsizetype count) {
            if (at + count > n)
                Fail();
        };
        int x = 0, row = 0;
        auto put = [&](quint8 value) {
            if (x < f_.width && row < f_.height)
                pixels_[Index(x, row)] = value;
            ++x;
        };
        qsizetype at = 0;
        while (at + 2 <= n) {
            const quint8 count = p[at], value = p[at + 1];
            at += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    put(value);
            } else if (value == 0) { // end of line
                x = 0;
                ++row;
            } else if (value == 1) { // end of picture
                return;
            } else if (value == 2) { // move right and up (towards the top of the picture)
                need(at, 2);
                x += p[at];
                row += p[at + 1];
                at += 2;
            } else { // `value` literal pixels, padded to an even count of bytes
                need(at, value);
                for (int i = 0; i < value; ++i)
                    put(p[at + i]);
                at += value + (value & 1);
            }
        }
    }

    QImage ToImage() const {
        QImage image(f_.width, f_.height, QImage::Format_RGB32);
        for (int y = 0; y < f_.height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < f_.width; ++x) {
                const quint32 v = pixels_[std::size_t(y) * f_.width + x];
                line[x] = f_.bitCount == 8 ? f_.palette[v] : QRgb(v);
            }
        }
        return image;
    }

    VideoFormat f_;
    std::vector<quint32> pixels_;
};

} // namespace

AviClip ParseAvi(const QByteArray &file) {
    const Span whole{file.constData(), file.size()};
    if (whole.Id(0) != "RIFF" || whole.Id(8) != "AVI ")
        Fail();
    // A file shorter than its RIFF header claims is truncated.
    const std::vector<Chunk> top = Chunks(whole.Sub(12, qsizetype(whole.U32(4)) - 4));

    std::optional<VideoFormat> format;
    int videoStream = -1;
    int avihMicroseconds = 0;
    std::optional<std::vector<Chunk>> movi;
    for (const Chunk &chunk : top) {
        if (auto hdrl = ListOf(chunk, "hdrl")) {
            int stream = 0;
            for (const Chunk &item : *hdrl) {
                if (item.id == "avih") {
                    avihMicroseconds = int(item.body.U32(0));
                } else if (auto strl = ListOf(item, "strl")) {
                    const Chunk *strh = nullptr, *strf = nullptr;
                    for (const Chunk &part : *strl) {
                        if (part.id == "strh")
                            strh = &part;
                        else if (part.id == "strf")
                            strf = &part;
                    }
                    if (!format && strh && strf && strh->body.Id(0) == "vids") {
                        format = ReadStreamFormat(strh->body, strf->body);
                        videoStream = stream;
                    }
                    ++stream;
                }
            }
        } else if (auto list = ListOf(chunk, "movi")) {
            movi = std::move(list);
        }
    }
    if (!format || !movi)
        Fail();

    AviClip clip;
    clip.width = format->width;
    clip.height = format->height;
    clip.microsecondsPerFrame =
        format->microsecondsPerFrame > 0 ? format->microsecondsPerFrame : avihMicroseconds;
    if (clip.microsecondsPerFrame <= 0)
        Fail();

    const QByteArray uncompressed = QByteArray::number(videoStream).rightJustified(2, '0') + "db";
    const QByteArray compressed = QByteArray::number(videoStream).rightJustified(2, '0') + "dc";
    // Frames may also sit in 'rec ' lists inside 'movi'; other chunks are skipped.
    std::vector<Chunk> frames;
    auto collectFrames = [&](const std::vector<Chunk> &chunks, auto &self) -> void {
        for (const Chunk &chunk : chunks) {
            if (auto record = ListOf(chunk, "rec "))
                self(*record, self);
            else if (chunk.id == uncompressed || chunk.id == compressed)
                frames.push_back(chunk);
        }
    };
    collectFrames(*movi, collectFrames);
    // Every frame is kept decoded, and a two-byte RLE frame stands for a whole picture: the
    // decoded size is bounded before anything is decoded.
    if (qint64(frames.size()) * clip.width * clip.height > kMaxDecodedPixels)
        Fail();
    FrameDecoder decoder(*format);
    for (const Chunk &frame : frames)
        clip.frames.push_back(decoder.Decode(frame.body, frame.id == compressed));
    if (clip.frames.empty())
        Fail();
    return clip;
}

AviClip ReadAviFile(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        Fail();
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        Fail();
    return ParseAvi(content);
}

} // namespace platform
