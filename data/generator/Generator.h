// The whole shipped installation folder: every file's name and bytes, and the writing of the
// folder with its MANIFEST.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace datagen {

struct ShippedFile {
    QString name;
    QByteArray bytes;
};

// Every shipped data file, sorted by name (MANIFEST excluded). The same bytes on every run.
QList<ShippedFile> shippedFiles();

// The MANIFEST text: the shipped file names, one per line, each ending in LF.
QByteArray manifest(const QList<ShippedFile> &files);

// Writes every shipped file and MANIFEST into `folder` (created if missing). Returns an empty
// string on success, otherwise what went wrong.
QString writeShippedFolder(const QString &folder);

} // namespace datagen
