// Little-endian byte output for the binary file formats the generator writes (BMP, WAVE, AVI).
#pragma once

#include <cstdint>
#include <QByteArray>

namespace datagen {

class ByteWriter {
public:
    void u8(std::uint8_t v) { bytes_.append(static_cast<char>(v)); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    // A four-character code such as "RIFF"; exactly four characters.
    void fourcc(const char (&code)[5]);
    void raw(const QByteArray &data) { bytes_.append(data); }
    void zeros(qsizetype count) { bytes_.append(count, '\0'); }

    // Overwrites a 32-bit value written earlier (chunk sizes known only at the end).
    void patchU32(qsizetype offset, std::uint32_t v);

    qsizetype size() const { return bytes_.size(); }
    const QByteArray &bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Writes RIFF-style chunks: a four-character code, a 32-bit size, the data, and a pad byte
// when the size is odd.
class ChunkScope {
public:
    // Opens a chunk ("RIFF" and "LIST" take their form type as `listType`).
    ChunkScope(ByteWriter &out, const char (&id)[5]);
    ChunkScope(ByteWriter &out, const char (&id)[5], const char (&listType)[5]);
    ~ChunkScope();
    ChunkScope(const ChunkScope &) = delete;
    ChunkScope &operator=(const ChunkScope &) = delete;

    // Offset of the chunk's four-character code in the output.
    qsizetype start() const { return sizeOffset_ - 4; }

private:
    ByteWriter &out_;
    qsizetype sizeOffset_;
};

} // namespace datagen
