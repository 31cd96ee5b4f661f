// The dial picture of the compass panel, loaded from its BMP file for every received
// reading. The decoded picture is kept while its file is unchanged (one look at the file's
// status per reading), so that a stream of readings does not decode the same file again
// and again, and a replaced file shows at the next reading.
#pragma once

#include "settings/SettingsView.h"

#include <QImage>
#include <QString>

#include <map>
#include <optional>

namespace app {

// The dial's file name for the rose setting: "cercle5.bmp" with the wind rose ("ROSEON"),
// "cercle6.bmp" without ("ROSEOFF"); nullopt for any other text (no picture is loaded).
std::optional<QString> DialFileName(const settings::SettingsView &settings);

class DialPictureCache {
public:
    // The picture of the file, in a format a canvas draws into directly. Each call returns
    // its own picture: drawing on it never changes what a later call returns. The file is
    // decoded again whenever its size, modification time or identity changed. Raises
    // EFOpenError when the file is missing, unreadable or not a picture.
    QImage Load(const QString &path);
    // The same for the file of that name in the installation folder, whose path is worked
    // out again only when the name or the folder changes.
    // When the installation folder itself is gone, the picture last decoded for that name
    // is returned instead of an error (FolderGone() then says so): the program goes on with
    // what it had loaded.
    QImage LoadInstalled(const QString &name);
    bool FolderGone() const { return folderGone_; }

    // How many times a file was decoded (tests observe the cache through it).
    int DecodeCount() const { return decodeCount_; }

    // What tells one version of a file from another.
    struct FileVersion {
        unsigned long long device = 0, inode = 0;
        long long size = 0, modifiedNs = 0, changedNs = 0;
        friend bool operator==(const FileVersion &, const FileVersion &) = default;
    };

private:
    struct Entry {
        QByteArray encodedPath; // as the system takes it
        FileVersion version;
        QImage picture;
    };

    std::map<QString, Entry> entries_;
    QString installedName_, installedFolder_, installedPath_;
    std::map<QString, QImage> keptInstalled_; // by name: the last picture decoded
    bool folderGone_ = false;
    int decodeCount_ = 0;
};

} // namespace app
