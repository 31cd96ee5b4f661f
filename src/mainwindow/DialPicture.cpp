#include "mainwindow/DialPicture.h"

#include "platform/app/Errors.h"
#include "platform/app/InstallDir.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace app {

std::optional<QString> DialFileName(const settings::SettingsView &settings) {
    const std::optional<bool> rose = settings.Switch(settings::TSwitch::Rose);
    if (!rose)
        return std::nullopt;
    return *rose ? QStringLiteral("cercle5.bmp") : QStringLiteral("cercle6.bmp");
}

namespace {

DialPictureCache::FileVersion VersionOf(const struct stat &info) {
    return {static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino), static_cast<long long>(info.st_size),
            info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};
}

} // namespace

QImage DialPictureCache::Load(const QString &path) {
    const auto found = entries_.find(path);
    // The usual case, once per reading: one look at the file's status, and the picture
    // kept from the last decoding (shared until drawn on, then copied).
    struct stat info {};
    if (found != entries_.end() && ::stat(found->second.encodedPath.constData(), &info) == 0 &&
        found->second.version == VersionOf(info))
        return found->second.picture;

    // The version is taken from the open file itself, so the picture decoded below is the one
    // the version describes even if the file is replaced meanwhile.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || ::fstat(file.handle(), &info) != 0) {
        entries_.erase(path);
        throw platform::EFOpenError(path);
    }
    const FileVersion version = VersionOf(info);
    if (found != entries_.end() && found->second.version == version)
        return found->second.picture;

    ++decodeCount_;
    QImage decoded;
    if (!decoded.loadFromData(file.readAll())) {
        entries_.erase(path);
        throw platform::EFOpenError(path);
    }
    decoded = decoded.convertToFormat(QImage::Format_RGB32);
    entries_[path] = Entry{QFile::encodeName(path), version, decoded};
    return decoded;
}

QImage DialPictureCache::LoadInstalled(const QString &name) {
    const QString folder = platform::InstallDir::Path();
    if (name != installedName_ || folder != installedFolder_) {
        installedName_ = name;
        installedFolder_ = folder;
        installedPath_ = platform::InstallDir::File(name);
    }
    try {
        QImage picture = Load(installedPath_);
        keptInstalled_[name] = picture;
        folderGone_ = false;
        return picture;
    } catch (const platform::EFOpenError &) {
        const auto kept = keptInstalled_.find(name);
        folderGone_ = !QFileInfo::exists(folder);
        if (!folderGone_ || kept == keptInstalled_.end())
            throw;
        return kept->second;
    }
}

} // namespace app
