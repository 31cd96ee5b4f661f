#include "settings/SettingsStore.h"

#include "base/AtomicFile.h"
#include "base/FileRead.h"
#include "platform/app/Errors.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace settings {

namespace {

void CheckSlot(int slot) {
    if (slot < 1 || slot > SettingsStore::SlotCount)
        throw std::out_of_range("settings slot out of range");
}

[[noreturn]] void RaiseInOut(const QString &path, int error) {
    throw platform::EInOutError(path, QString::fromLocal8Bit(std::strerror(error)));
}

// Thirty short lines: a file whose lines go on past this many bytes is not a settings
// file (a link to /dev/zero, a log written in its place), and reading it whole would
// take all memory.
constexpr std::size_t kLargestSettingsFile = 64 * 1024;

} // namespace

const std::string &SettingsStore::Get(int slot) const {
    CheckSlot(slot);
    return slots_[slot - 1];
}

void SettingsStore::Set(int slot, const std::string &text) {
    CheckSlot(slot);
    // The last guard of the file's thirty lines: a break inside a slot would shift every
    // later slot by a line at the next start.
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        throw platform::Exception(
            QCoreApplication::translate(
                "SettingsStore",
                "La ligne %1 du fichier Ventrose.inf ne peut pas recevoir un texte "
                "qui contient un saut de ligne ou un caractère nul :\nelle garde sa "
                "valeur « %2 ».")
                .arg(slot)
                .arg(Text(slot)));
    slots_[slot - 1] = text;
}

void SettingsStore::LoadSettings(const QString &path) {
    // Not blocking: a named pipe in the file's place with no writer reads as empty
    // instead of holding up the program's start.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return;
    int slot = 1;
    std::string line;
    bool pendingCr = false; // a CR ended the last line; a LF right after it belongs to it
    char chunk[4096];
    std::size_t total = 0; // one byte past the largest size tells a larger file
    while (slot <= SlotCount) {
        if (total > kLargestSettingsFile) {
            ::close(fd);
            throw platform::EInOutError(
                path, QCoreApplication::translate("SettingsStore", "fichier de plus de %1 Kio")
                          .arg(kLargestSettingsFile / 1024));
        }
        const ssize_t n =
            platform::ReadSome(fd, chunk, std::min(sizeof chunk, kLargestSettingsFile + 1 - total));
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            RaiseInOut(path, error);
        }
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
        for (ssize_t i = 0; i < n && slot <= SlotCount; ++i) {
            const char c = chunk[i];
            if (pendingCr && c == '\n') {
                pendingCr = false;
                continue;
            }
            pendingCr = c == '\r';
            if (c == '\r' || c == '\n')
                slots_[slot++ - 1] = std::exchange(line, std::string());
            else
                line.push_back(c);
        }
    }
    if (slot <= SlotCount && !line.empty())
        slots_[slot - 1] = line; // a last line without a line break
    if (::close(fd) != 0)
        RaiseInOut(path, errno);
}

void SettingsStore::SaveSettings(const QString &path) const {
    std::string bytes;
    for (const std::string &slot : slots_) {
        bytes += slot;
        bytes += "\r\n";
    }

    // Written whole or not at all, through a link to its target.
    if (const int error =
            platform::ReplaceFileContents(QFile::encodeName(path).toStdString(), bytes)) {
        if (error == EINVAL) // a device or a pipe where the file should be: left alone
            throw platform::EInOutError(
                path,
                QCoreApplication::translate("SettingsStore", "ce n'est pas un fichier ordinaire"));
        RaiseInOut(path, error);
    }
}

} // namespace settings
