// The installation folder: the one fixed folder that holds every data file of the program.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The folder is ~/.local/share/Ventrose unless the command line named another one
// (--data-dir). Installing it copies the shipped data into it and leaves a marker file;
// a marked folder is used exactly as it is, so a file the user deleted stays deleted.
class InstallDir {
public:
    // The marker file that tells an installed folder from one the user made by hand.
    static constexpr const char *kMarker = ".ventrose-installed";

    // The default location, the platform's per-user data folder.
    static QString DefaultPath();

    // Chooses the folder for this run (empty: the default).
    static void Select(const QString &path);
    static QString Path();
    // The absolute path of a data file of the folder.
    static QString File(const QString &name);

    // Installs the folder from the shipped data (a folder, or a resource path such as
    // ":/shipped") unless it is installed already:
    // - a folder that does not exist is made in a sibling folder and renamed into place;
    // - an existing folder that holds none of the shipped data files (nothing, the port
    //   links, the user's own files, or the thirty empty lines an earlier run left there)
    //   gets the shipped files beside what it holds, none of which is overwritten;
    // - an unmarked folder that holds shipped data files was installed before folders were
    //   marked: it is only marked.
    // Returns false, with a message in the program's language in *error, when the folder cannot be
    // created or a file cannot be copied; what was copied is removed again, so the next run
    // retries.
    static bool Prepare(const QString &shippedDir, QString *error);

    // The shipped files that the installed folder lacks and that were not reported before
    // (Ventrose.inf aside: without it the slots are empty, as the user chose). The names
    // returned are remembered in the marker, so each is reported once.
    static QStringList TakeNewlyMissing(const QString &shippedDir);

    // The text that reports missing files: which, in which folder, and how to restore them
    // from the reference copy (referenceDir, or the source tree's data/shipped when empty).
    static QString MissingNotice(const QStringList &missing, const QString &referenceDir);
    // The reference copy of the shipped data next to the program (share/ventrose of the
    // installed package), or empty when the program runs from a build.
    static QString ReferenceDir(const QString &programDir);
};

} // namespace platform
