#include "platform/InstallDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {
QString &SelectedPath() {
    static QString path;
    return path;
}
} // namespace

QString InstallDir::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Ventrose");
}

void InstallDir::Select(const QString &path) {
    SelectedPath() = path.isEmpty() ? QString() : QDir(path).absolutePath();
}

QString InstallDir::Path() { return SelectedPath().isEmpty() ? DefaultPath() : SelectedPath(); }

QString InstallDir::File(const QString &name) { return QDir(Path()).filePath(name); }

bool InstallDir::Prepare(const QString &shippedDir, QString *error) {
    const QString target = Path();
    if (QFileInfo::exists(target))
        return true;

    // Copy into a sibling folder first and rename it into place, so that an interrupted
    // installation never leaves a half-filled folder that later runs would take as done.
    const QString staging = target + QStringLiteral(".installing");
    QDir(staging).removeRecursively();
    auto fail = [&](const QString &message) {
        QDir(staging).removeRecursively();
        if (error)
            *error = message;
        return false;
    };
    if (!QDir().mkpath(staging))
        return fail(QCoreApplication::translate("InstallDir",
                                                "Impossible de créer le dossier d'installation %1.")
                        .arg(target));

    const QDir source(shippedDir);
    const QStringList names = source.entryList(QDir::Files, QDir::Name);
    if (names.isEmpty())
        return fail(
            QCoreApplication::translate(
                "InstallDir", "Les données livrées avec le programme sont introuvables (%1).")
                .arg(shippedDir));
    for (const QString &name : names) {
        const QString to = QDir(staging).filePath(name);
        if (!QFile::copy(source.filePath(name), to))
            return fail(
                QCoreApplication::translate(
                    "InstallDir", "Impossible de copier %1 dans le dossier d'installation %2.")
                    .arg(name, target));
        // Files copied from resources are read-only; the settings file must be writable.
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
    }
    if (!QDir().rename(staging, target))
        return fail(QCoreApplication::translate("InstallDir",
                                                "Impossible de créer le dossier d'installation %1.")
                        .arg(target));
    return true;
}

} // namespace platform
