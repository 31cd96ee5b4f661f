#include "settings/OwnSettings.h"

#include "base/AtomicFile.h"
#include "base/RegularFile.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>

#include <cerrno>
#include <cstring>

namespace settings {

namespace {

QString ScratchTemplate() { return QDir::temp().filePath(QStringLiteral("ventrose-conf-XXXXXX")); }

// Why the file could not be read, or an empty text when it was.
QString ReadProblem(const platform::RegularFileRead &read) {
    using Outcome = platform::RegularFileRead::Outcome;
    switch (read.outcome) {
    case Outcome::Read:
    case Outcome::Missing:
        return {};
    case Outcome::NotRegular:
        return QCoreApplication::translate("OwnSettings", "ce n'est pas un fichier ordinaire");
    case Outcome::TooLarge:
        return QCoreApplication::translate("OwnSettings", "fichier de plus de %1 Kio")
            .arg(OwnSettings::kLargestFile / 1024);
    case Outcome::Failed:
        break;
    }
    return QString::fromLocal8Bit(std::strerror(read.error));
}

// Once per file and run: the settings of a file that cannot be read are needed by
// several windows, and each reads the file anew.
void TellOnce(const QString &path, const QString &problem) {
    static QSet<QString> told;
    if (told.contains(path))
        return;
    told.insert(path);
    platform::MessageBoxes::Warning(
        QCoreApplication::translate("OwnSettings",
                                    "Impossible de lire les réglages du fichier %1 :\n%2.\n"
                                    "Les réglages par défaut s'appliquent, et le fichier "
                                    "n'est pas modifié.")
            .arg(path, problem));
}

} // namespace

QString OwnSettingsPath() { return platform::InstallDir::File(QStringLiteral("Ventrose.conf")); }

namespace detail {

ScratchCopy::ScratchCopy(const QString &path) : scratch(ScratchTemplate()) {
    const platform::RegularFileRead read =
        platform::ReadRegularFile(QFile::encodeName(path).toStdString(), OwnSettings::kLargestFile);
    problem = ReadProblem(read);
    error = read.error;
    writable = problem.isEmpty();
    if (writable)
        saved = QByteArray::fromStdString(read.bytes);
    // A copy that cannot be made leaves the defaults, and nothing is written over the file.
    if (!scratch.open() || scratch.write(saved) != saved.size() || !scratch.flush()) {
        writable = false;
        error = EIO;
    }
    scratch.close();
}

} // namespace detail

OwnSettings::OwnSettings(const QString &path)
    : detail::ScratchCopy(path), QSettings(scratch.fileName(), QSettings::IniFormat), path_(path) {
    if (!problem.isEmpty())
        TellOnce(path, problem);
}

OwnSettings::~OwnSettings() { Save(); }

bool OwnSettings::Save() {
    if (!writable)
        return false;
    QSettings::sync();
    QFile copy(scratch.fileName());
    if (!copy.open(QIODevice::ReadOnly)) {
        error = EIO;
        return false;
    }
    const QByteArray bytes = copy.readAll();
    if (bytes == saved)
        return true;
    error =
        platform::ReplaceFileContents(QFile::encodeName(path_).toStdString(), bytes.toStdString());
    if (error != 0)
        return false;
    saved = bytes;
    return true;
}

std::unique_ptr<OwnSettings> OpenOwnSettings() {
    return std::make_unique<OwnSettings>(OwnSettingsPath());
}

} // namespace settings
