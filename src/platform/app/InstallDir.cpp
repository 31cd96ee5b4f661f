#include "platform/app/InstallDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

const QString kSettingsName = QStringLiteral("Ventrose.inf");

QString Tr(const char *text) { return QCoreApplication::translate("InstallDir", text); }

QStringList ShippedNames(const QString &shippedDir) {
    return QDir(shippedDir).entryList(QDir::Files, QDir::Name);
}

// A settings file of blank lines only holds nothing of the user's: it is what a run writes
// into a folder that had no settings file.
bool HoldsOnlyBlankLines(const QString &path) {
    QFile file(path);
    if (file.size() > 4096 || !file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll().trimmed().isEmpty();
}

// The lines of the marker: the names already reported missing.
QStringList MarkerNames(const QString &folder) {
    QFile file(QDir(folder).filePath(QString::fromLatin1(InstallDir::kMarker)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool WriteMarker(const QString &folder, const QStringList &reported) {
    QSaveFile file(QDir(folder).filePath(QString::fromLatin1(InstallDir::kMarker)));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &name : reported)
        file.write(name.toUtf8() + '\n');
    return file.commit();
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

// Copies one shipped file; empty when it was copied, else the system's reason. Files copied
// from resources are read-only, and the settings file must be writable.
QString CopyShipped(const QDir &source, const QString &name, const QString &to) {
    if (const QString reason = CopyFile(source.filePath(name), to); !reason.isEmpty())
        return reason;
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                  QFile::ReadOther);
    return {};
}

QString CannotCopy(const QString &name, const QString &target, const QString &reason) {
    return Tr(QT_TRANSLATE_NOOP("InstallDir",
                                "Impossible de copier %1 dans le dossier d'installation %2 :\n%3"))
        .arg(name, target, reason);
}

QString NoShippedData(const QString &shippedDir) {
    return Tr(QT_TRANSLATE_NOOP("InstallDir",
                                "Les données livrées avec le programme sont introuvables (%1)."))
        .arg(shippedDir);
}

bool Fail(QString *error, const QString &message) {
    if (error)
        *error = message;
    return false;
}

// Makes a folder that does not exist: copied into a sibling folder first and renamed into
// place, so that an interrupted installation never leaves a half-filled folder.
bool InstallNew(const QString &target, const QString &shippedDir, QString *error) {
    // The sibling's name is made unique by the system (mkdtemp), so it can be no user's
    // folder, and it is the only thing removed on a failure.
    QString staging;
    auto fail = [&](const QString &message) {
        if (!staging.isEmpty())
            QDir(staging).removeRecursively();
        return Fail(error, message);
    };
    const QString cannotCreate =
        Tr(QT_TRANSLATE_NOOP("InstallDir", "Impossible de créer le dossier d'installation %1."))
            .arg(target);
    QByteArray pattern = QFile::encodeName(target + QStringLiteral(".installing-XXXXXX"));
    if (!QDir().mkpath(QFileInfo(target).absolutePath()) || ::mkdtemp(pattern.data()) == nullptr)
        return fail(cannotCreate);
    staging = QFile::decodeName(pattern);
    // mkdtemp makes it for its owner alone; the folder gets the mode any new folder gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(pattern.constData(), 0777 & ~mask);
    const QStringList names = ShippedNames(shippedDir);
    if (names.isEmpty())
        return fail(NoShippedData(shippedDir));
    const QDir source(shippedDir);
    for (const QString &name : names) {
        if (const QString reason = CopyShipped(source, name, QDir(staging).filePath(name));
            !reason.isEmpty())
            return fail(CannotCopy(name, target, reason));
    }
    if (!WriteMarker(staging, {}) || !QDir().rename(staging, target))
        return fail(cannotCreate);
    return true;
}

// Fills a folder the user made (for the port links, say) beside what it holds.
bool InstallInto(const QString &target, const QString &shippedDir, const QStringList &names,
                 QString *error) {
    const QDir folder(target);
    const QDir source(shippedDir);
    QStringList copied;
    auto fail = [&](const QString &message) {
        for (const QString &name : copied)
            QFile::remove(folder.filePath(name));
        return Fail(error, message);
    };
    for (const QString &name : names) {
        const QString to = folder.filePath(name);
        const QFileInfo present(to);
        if (present.exists() || present.isSymLink()) {
            if (name != kSettingsName || !present.isFile() || !HoldsOnlyBlankLines(to))
                continue;
            QFile::remove(to);
        }
        if (const QString reason = CopyShipped(source, name, to); !reason.isEmpty())
            return fail(CannotCopy(name, target, reason));
        copied << name;
    }
    if (!WriteMarker(target, {}))
        return fail(
            Tr(QT_TRANSLATE_NOOP("InstallDir", "Impossible de créer le dossier d'installation %1."))
                .arg(target));
    return true;
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
    const QFileInfo folder(target);
    if (folder.isDir() && QFileInfo::exists(QDir(target).filePath(QString::fromLatin1(kMarker))))
        return true;

    if (!folder.exists())
        return InstallNew(target, shippedDir, error);
    const QStringList names = ShippedNames(shippedDir);
    if (names.isEmpty())
        return Fail(error, NoShippedData(shippedDir));
    if (!folder.isDir())
        return Fail(
            error,
            Tr(QT_TRANSLATE_NOOP("InstallDir", "Impossible de créer le dossier d'installation %1."))
                .arg(target));

    // An unmarked folder that holds a shipped data file was installed by a version that left
    // no marker; the settings file does not count, since every run writes it.
    for (const QString &name : names) {
        if (name != kSettingsName && QFileInfo::exists(QDir(target).filePath(name))) {
            WriteMarker(target, {}); // a folder that cannot take it is checked again next run
            return true;
        }
    }
    return InstallInto(target, shippedDir, names, error);
}

QStringList InstallDir::TakeNewlyMissing(const QString &shippedDir) {
    const QString target = Path();
    if (!QFileInfo::exists(QDir(target).filePath(QString::fromLatin1(kMarker))))
        return {};
    const QStringList reported = MarkerNames(target);
    QStringList missing;
    QStringList stillMissing;
    for (const QString &name : ShippedNames(shippedDir)) {
        if (name == kSettingsName || QFileInfo::exists(QDir(target).filePath(name)))
            continue;
        stillMissing << name;
        if (!reported.contains(name))
            missing << name;
    }
    // A file that came back is forgotten, so its next loss is reported again.
    if (stillMissing != reported)
        WriteMarker(target, stillMissing);
    return missing;
}

QString InstallDir::MissingNotice(const QStringList &missing, const QString &referenceDir) {
    const QString reference =
        referenceDir.isEmpty()
            ? Tr(QT_TRANSLATE_NOOP("InstallDir",
                                   "le dossier data/shipped des sources du programme"))
            : referenceDir;
    const QString folder = QDir::toNativeSeparators(Path());
    if (missing.size() == 1)
        return Tr(QT_TRANSLATE_NOOP("InstallDir", "Il manque au dossier d'installation %1 le "
                                                  "fichier %2.\nPour le rétablir, copiez-le "
                                                  "depuis %3."))
            .arg(folder, missing.front(), reference);
    return Tr(QT_TRANSLATE_NOOP("InstallDir", "Il manque au dossier d'installation %1 les "
                                              "fichiers %2.\nPour les rétablir, copiez-les "
                                              "depuis %3."))
        .arg(folder, missing.join(QStringLiteral(", ")), reference);
}

QString InstallDir::ReferenceDir(const QString &programDir) {
    const QString dir = QDir(programDir).absoluteFilePath(QStringLiteral("../share/ventrose"));
    if (!QFileInfo(QDir(dir).filePath(kSettingsName)).isFile())
        return {};
    return QDir::cleanPath(dir);
}

} // namespace platform
