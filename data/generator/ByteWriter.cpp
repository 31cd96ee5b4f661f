#include "ByteWriter.h"

namespace datagen {

void ByteWriter::u16(std::uint16_t v) {
    u8(static_cast<std::uint8_t>(v & 0xff));
    u8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v & 0xffff));
    u16(static_cast<std::uint16_t>(v >> 16));
}

void ByteWriter::fourcc(const char (&code)[5]) { bytes_.append(code, 4); }

void ByteWriter::patchU32(qsizetype offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes_[offset + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

ChunkScope::ChunkScope(ByteWriter &out, const char (&id)[5]) : out_(out) {
    out_.fourcc(id);
    sizeOffset_ = out_.size();
    out_.u32(0);
}

ChunkScope::ChunkScope(ByteWriter &out, const char (&id)[5], const char (&listType)[5])
    : ChunkScope(out, id) {
    out_.fourcc(listType);
}

ChunkScope::~ChunkScope() {
    const qsizetype dataSize = out_.size() - sizeOffset_ - 4;
    out_.patchU32(sizeOffset_, static_cast<std::uint32_t>(dataSize));
    if (dataSize % 2)
        out_.u8(0);
}

} // namespace datagen
