#include "ShippedData.h"

#include <QDir>
#include <QFile>

namespace testsupport {

QString ShippedDataDir() { return QStringLiteral(VENTROSE_SOURCE_DIR "/data/shipped"); }

void CopyShippedData(const QString &folder) {
    const QDir shipped(ShippedDataDir());
    for (const QString &name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), QDir(folder).filePath(name));
}

} // namespace testsupport
