// The settings store: thirty numbered text slots, persisted as the thirty lines of
// Ventrose.inf. The main window owns it; the dialogs read and assign its slots directly.
// SettingsView (SettingsView.h) reads and writes the slots as the values they stand for.
#pragma once

#include <QString>

#include <array>
#include <string>

namespace settings {

// Slot numbers, 1 to 30. Slots 19 to 30 are read and written back, never interpreted.
enum Slot : int {
    PortSlot = 1,
    NeedleWidthSlot,
    RoseSlot,
    NeedleLengthSlot,
    HubSlot,
    MenuStyleSlot,
    DeclinationRangeSlot,
    DeclinationSignSlot,
    DeclinationSlot,
    CentringSignSlot,
    CentringSlot,
    ConnectWarningSlot,
    StandaloneNoticeSlot,
    DegreesDisplaySlot,
    DirectionDisplaySlot,
    SoundSlot,
    BalloonSlot,
    HardwareOptionsSlot,
    ReservedSlot19,
    ReservedSlot30 = 30,
};

// Slot texts are the file's bytes, unchanged (8-bit text, one line each). Keywords are
// matched by exact, case-sensitive equality of the whole text. The program has no
// defaults of its own: a slot the file does not fill stays empty.
class SettingsStore {
public:
    static constexpr int SlotCount = 30;

    const std::string &Get(int slot) const;
    // A slot is one line of the file: a text with a line break (CR or LF) or a NUL is
    // refused with platform::Exception, whoever offers it, and the slot keeps its value.
    void Set(int slot, const std::string &text);
    // Exact comparison of the whole text with a keyword.
    bool Is(int slot, const char *keyword) const { return Get(slot) == keyword; }
    // The text for display (the file's 8-bit text read as Latin-1).
    QString Text(int slot) const { return QString::fromLatin1(Get(slot)); }

    // Reads lines 1 to 30 of the file into the slots (a line ends at CR LF, LF or CR;
    // later lines are ignored; slots past the file's last line keep their text, which is
    // empty at start). A file that cannot be opened is not an error: nothing is read. A
    // read error after the open raises EInOutError; the lines read before it are kept.
    // So does a file whose thirty lines do not end within its first 64 KiB.
    void LoadSettings(const QString &path);

    // Writes the thirty slots, each followed by CR LF. The text goes to a temporary file
    // of its own in the same folder, is flushed to disk and then renamed over the file, so
    // a failed or interrupted save leaves the previous file whole. A symbolic link is
    // written through to its target, and a replaced file keeps its permissions. A file the
    // user may not write (made read-only) is not replaced, nor is a device or a pipe in the
    // file's place. Raises EInOutError on failure.
    void SaveSettings(const QString &path) const;

private:
    std::array<std::string, SlotCount> slots_;
};

} // namespace settings
