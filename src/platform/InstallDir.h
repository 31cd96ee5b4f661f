// The installation folder: the one fixed folder that holds every data file of the program.
#pragma once

#include <QString>

namespace platform {

// The folder is ~/.local/share/Ventrose unless the command line named another one
// (--data-dir). When it does not exist, Prepare creates it and copies the shipped data
// into it: that is the installation. An existing folder is used exactly as it is, so a
// file the user deleted stays deleted.
class InstallDir {
public:
    // The default location, the platform's per-user data folder.
    static QString DefaultPath();

    // Chooses the folder for this run (empty: the default).
    static void Select(const QString &path);
    static QString Path();
    // The absolute path of a data file of the folder.
    static QString File(const QString &name);

    // Creates the folder from the shipped data (a folder, or a resource path such as
    // ":/shipped") when it does not exist yet. Returns false, with a French message in
    // *error, when the folder cannot be created or a file cannot be copied; a folder
    // that was only partly made is removed again, so the next run retries.
    static bool Prepare(const QString &shippedDir, QString *error);
};

} // namespace platform
