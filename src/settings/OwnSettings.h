// The program's own settings, beside the thirty slots of Ventrose.inf: what the additions
// to the module's front end remember (heading output, the last place of the declination
// calculator, the heading log). They live in Ventrose.conf, an INI file of the installation
// folder, so that Ventrose.inf keeps exactly its thirty lines.
#pragma once

#include <QSettings>
#include <QString>
#include <QTemporaryFile>

#include <memory>

namespace settings {

// The path of Ventrose.conf in the installation folder.
QString OwnSettingsPath();

namespace detail {
// The file read safely into a private copy that QSettings parses and writes (see
// OwnSettings); made before the QSettings that uses it.
struct ScratchCopy {
    explicit ScratchCopy(const QString &path);
    QTemporaryFile scratch;
    QByteArray saved; // what the file holds, as far as this object knows
    QString problem;  // why the file could not be read; empty when it was
    int error = 0;    // the system's reason, if any
    bool writable = true;
};
} // namespace detail

// The values of Ventrose.conf, with the protections of Ventrose.inf: only a regular file
// is read (a link to one is followed; a device, a pipe or a folder is refused), at most
// kLargestFile bytes, without ever waiting; and only a regular file is replaced, whole,
// by Save. QSettings never touches the file itself: it parses and writes a private
// scratch copy, whose bytes Save puts in the file's place. A file that cannot be read is
// told once per run (a box) and is never written: its values are the defaults.
class OwnSettings : private detail::ScratchCopy, public QSettings {
public:
    static constexpr std::size_t kLargestFile = 256 * 1024;

    explicit OwnSettings(const QString &path);
    // Saves what changed (Save), its failure unreported: use Save to know it.
    ~OwnSettings() override;

    // Writes the values to the file when they differ from what it held; true when the
    // file holds them now. The system's reason for a failure is in LastError().
    bool Save();
    int LastError() const { return error; }

private:
    QString path_;
};

// The settings of Ventrose.conf in the installation folder.
std::unique_ptr<OwnSettings> OpenOwnSettings();

} // namespace settings
