// Access to the generated files for the tests, and a little-endian RIFF chunk reader written
// independently of the generator's writers.
#pragma once

#include <cstdint>
#include <optional>
#include <QByteArray>
#include <QString>
#include <vector>

namespace datatest {

// The bytes of one generated file (generated once per test program); fails the test if absent.
const QByteArray &shipped(const QString &name);

std::uint16_t u16At(const QByteArray &bytes, qsizetype offset);
std::uint32_t u32At(const QByteArray &bytes, qsizetype offset);
std::int32_t i32At(const QByteArray &bytes, qsizetype offset);

struct Chunk {
    QByteArray id;      // four characters
    qsizetype offset;   // of the four-character code
    std::uint32_t size; // of the data
    qsizetype data() const { return offset + 8; }
};

// The chunks between `begin` and `end`; nullopt if one runs past `end` (a broken size).
std::optional<std::vector<Chunk>> chunksIn(const QByteArray &bytes, qsizetype begin, qsizetype end);
// The first chunk with this id, or nullopt.
std::optional<Chunk> find(const std::vector<Chunk> &chunks, const char *id);
// The first LIST chunk of this list type, or nullopt.
std::optional<Chunk> findList(const QByteArray &bytes, const std::vector<Chunk> &chunks,
                              const char *type);

} // namespace datatest
