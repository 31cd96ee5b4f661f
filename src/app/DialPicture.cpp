#include "app/DialPicture.h"

#include "platform/Errors.h"

#include <QFile>

#include <sys/stat.h>

namespace app {

std::optional<QString> DialFileName(const settings::SettingsView &settings) {
    const std::optional<bool> rose = settings.Switch(settings::TSwitch::Rose);
    if (!rose)
        return std::nullopt;
    return *rose ? QStringLiteral("cercle5.bmp") : QStringLiteral("cercle6.bmp");
}

QImage DialPictureCache::Load(const QString &path) {
    // The version is taken from the open file itself, so the picture decoded below is the one
    // the version describes even if the file is replaced meanwhile.
    QFile file(path);
    struct stat info {};
    if (!file.open(QIODevice::ReadOnly) || ::fstat(file.handle(), &info) != 0) {
        entries_.erase(path);
        throw platform::EFOpenError(path);
    }
    const FileVersion version{static_cast<unsigned long long>(info.st_dev),
                              static_cast<unsigned long long>(info.st_ino),
                              static_cast<long long>(info.st_size),
                              info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec,
                              info.st_ctim.tv_sec * 1000000000LL + info.st_ctim.tv_nsec};

    const auto found = entries_.find(path);
    if (found != entries_.end() && found->second.version == version)
        return found->second.picture; // shared until drawn on, then copied

    ++decodeCount_;
    QImage decoded;
    if (!decoded.loadFromData(file.readAll())) {
        entries_.erase(path);
        throw platform::EFOpenError(path);
    }
    decoded = decoded.convertToFormat(QImage::Format_RGB32);
    entries_[path] = Entry{version, decoded};
    return decoded;
}

} // namespace app
