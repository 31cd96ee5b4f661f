#include "ShippedData.h"

#include "Generator.h"

#include <gtest/gtest.h>
#include <QHash>

namespace datatest {

const QByteArray &shipped(const QString &name) {
    static const QHash<QString, QByteArray> files = [] {
        QHash<QString, QByteArray> all;
        for (const auto &file : datagen::shippedFiles())
            all.insert(file.name, file.bytes);
        return all;
    }();
    static const QByteArray missing;
    const auto it = files.find(name);
    if (it == files.end()) {
        ADD_FAILURE() << "not generated: " << name.toStdString();
        return missing;
    }
    return *it;
}

std::uint16_t u16At(const QByteArray &bytes, qsizetype offset) {
    return std::uint16_t(std::uint8_t(bytes[offset]) | std::uint8_t(bytes[offset + 1]) << 8);
}

std::uint32_t u32At(const QByteArray &bytes, qsizetype offset) {
    return u16At(bytes, offset) | std::uint32_t(u16At(bytes, offset + 2)) << 16;
}

std::int32_t i32At(const QByteArray &bytes, qsizetype offset) {
    return std::int32_t(u32At(bytes, offset));
}

std::optional<std::vector<Chunk>> chunksIn(const QByteArray &bytes, qsizetype begin,
                                           qsizetype end) {
    std::vector<Chunk> chunks;
    qsizetype at = begin;
    while (at < end) {
        if (at + 8 > end)
            return std::nullopt;
        Chunk chunk{bytes.mid(at, 4), at, u32At(bytes, at + 4)};
        const qsizetype next = chunk.data() + chunk.size + (chunk.size & 1);
        if (chunk.data() + chunk.size > end)
            return std::nullopt;
        chunks.push_back(chunk);
        at = next;
    }
    return chunks;
}

std::optional<Chunk> find(const std::vector<Chunk> &chunks, const char *id) {
    for (const Chunk &c : chunks)
        if (c.id == id)
            return c;
    return std::nullopt;
}

std::optional<Chunk> findList(const QByteArray &bytes, const std::vector<Chunk> &chunks,
                              const char *type) {
    for (const Chunk &c : chunks)
        if (c.id == "LIST" && c.size >= 4 && bytes.mid(c.data(), 4) == type)
            return c;
    return std::nullopt;
}

} // namespace datatest
