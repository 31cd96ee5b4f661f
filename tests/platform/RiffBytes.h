// Builders of RIFF files (WAVE sounds, AVI clips) byte by byte, for the readers' tests.
#pragma once

#include <QByteArray>
#include <QtEndian>

namespace riff {

inline QByteArray U32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray U16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A chunk: its code, its size and its body, padded to an even size.
inline QByteArray Chunk(const char *id, const QByteArray &body) {
    QByteArray c = QByteArray(id, 4) + U32(quint32(body.size())) + body;
    if (body.size() & 1)
        c += '\0';
    return c;
}

inline QByteArray List(const char *type, const QByteArray &content) {
    return Chunk("LIST", QByteArray(type, 4) + content);
}

} // namespace riff
