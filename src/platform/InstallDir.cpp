#include "platform/InstallDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
QString &SelectedPath() {
    static QString path;
    return path;
}
// Copies one file; empty when it was copied whole, else the system's reason (a full disk
// says so, where QFile::copy only fails). The source may be a resource; the copy is
// written with the system's calls, whose errno is the reason.
QString CopyFile(const QString &from, const QString &to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return in.errorString();
    const auto reason = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
    const int fd =
        ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return reason(errno);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return reason(error);
        }
        done += n;
    }
    return ::close(fd) == 0 ? QString() : reason(errno);
}

} // namespace

QString InstallDir::DefaultPath() {
    // Without HOME the home folder would be taken for "/" (//.local/share/Ventrose): the
    // user's own, from the password database, stands in for it.
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME")) {
        if (const passwd *user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
            return QDir(QFile::decodeName(user->pw_dir))
                .filePath(QStringLiteral(".local/share/Ventrose"));
    }
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
    // The sibling's name is made unique by the system (mkdtemp), so it can be no user's
    // folder, and it is the only thing removed on a failure.
    QString staging;
    auto fail = [&](const QString &message) {
        if (!staging.isEmpty())
            QDir(staging).removeRecursively();
        if (error)
            *error = message;
        return false;
    };
    const QString cannotCreate =
        QCoreApplication::translate("InstallDir",
                                    "Impossible de créer le dossier d'installation %1.")
            .arg(target);
    QByteArray pattern = QFile::encodeName(target + QStringLiteral(".installing-XXXXXX"));
    if (!QDir().mkpath(QFileInfo(target).absolutePath()) || ::mkdtemp(pattern.data()) == nullptr)
        return fail(cannotCreate);
    staging = QFile::decodeName(pattern);
    // mkdtemp makes it for its owner alone; the folder gets the mode any new folder gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(pattern.constData(), 0777 & ~mask);

    const QDir source(shippedDir);
    const QStringList names = source.entryList(QDir::Files, QDir::Name);
    if (names.isEmpty())
        return fail(
            QCoreApplication::translate(
                "InstallDir", "Les données livrées avec le programme sont introuvables (%1).")
                .arg(shippedDir));
    for (const QString &name : names) {
        const QString to = QDir(staging).filePath(name);
        if (const QString reason = CopyFile(source.filePath(name), to); !reason.isEmpty())
            return fail(
                QCoreApplication::translate(
                    "InstallDir", "Impossible de copier %1 dans le dossier d'installation %2 :\n%3")
                    .arg(name, target, reason));
        // Files copied from resources are read-only; the settings file must be writable.
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
    }
    if (!QDir().rename(staging, target))
        return fail(cannotCreate);
    return true;
}

} // namespace platform
