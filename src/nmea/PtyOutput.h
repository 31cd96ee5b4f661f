// The heading on a pseudo-terminal, for programs that only read serial ports: its device
// is linked as `NMEA` in the installation folder. The line is raw; whatever speed the
// reading program sets (4800 or 38400 baud are usual) is taken, since a pseudo-terminal has
// no speed of its own. Sentences are written only while a program has the device open, and
// stale ones are thrown away rather than delivered late.
#pragma once

#include "nmea/ShareOutput.h"

#include <QString>

namespace nmea {

class PtyOutput : public ShareOutput {
public:
    PtyOutput(OutputTarget target, NoticeSink notify, QString linkPath);
    ~PtyOutput() override;

    void Send(const std::vector<std::string> &sentences) override;
    bool Failed() const override { return master_ < 0; }
    // The device, "/dev/pts/N"; empty when the output failed.
    QString DevicePath() const { return devicePath_; }

private:
    bool Open();
    bool Link();
    // Empties the reading program's queue of what it did not read yet.
    void DiscardUnread();

    QString linkPath_;
    QString devicePath_;
    int master_ = -1;
};

} // namespace nmea
