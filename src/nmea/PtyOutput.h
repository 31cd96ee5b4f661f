// The heading on a pseudo-terminal, for programs that only read serial ports: its device
// is linked as `NMEA` in the installation folder. The line is raw; whatever speed the
// reading program sets (4800 or 38400 baud are usual) is taken, since a pseudo-terminal has
// no speed of its own. Sentences are written only while a program has the device open, and
// what the program left unread for `maxAge` (or that filled the terminal's buffer) is thrown
// away rather than delivered late.
#pragma once

#include "nmea/ShareOutput.h"

#include <QString>

#include <chrono>
#include <optional>

namespace nmea {

class PtyOutput : public ShareOutput {
public:
    static constexpr std::chrono::milliseconds kMaxAge{2000};

    PtyOutput(OutputTarget target, NoticeSink notify, QString linkPath,
              std::chrono::milliseconds maxAge = kMaxAge,
              ShareClock clock = &std::chrono::steady_clock::now);
    ~PtyOutput() override;

    void Send(const std::vector<std::string> &sentences) override;
    bool Failed() const override { return master_ < 0; }
    // The device, "/dev/pts/N"; empty when the output failed.
    QString DevicePath() const { return devicePath_; }

private:
    bool Open();
    bool Link();
    // The device opened anew (the master cannot see the reading side's queue); -1 if not.
    int OpenDevice() const;
    // Bytes written that the reading program has not read yet; 0 if unknown.
    int Unread() const;
    // Empties the reading program's queue of what it did not read yet.
    void DiscardUnread();
    void Discard(const QString &why);

    QString linkPath_;
    std::chrono::milliseconds maxAge_;
    ShareClock clock_;
    // When the oldest sentence the reading program may not have read yet was written: the
    // first write since the queue was last seen empty.
    std::optional<std::chrono::steady_clock::time_point> oldestUnread_;
    QString devicePath_;
    int master_ = -1;
};

} // namespace nmea
