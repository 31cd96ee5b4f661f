// gpsd fed by gpsfake, for the tests of the GNSS client and of what the program does with it:
// the sentences of a log, a free port for gpsfake's own gpsd, and gpsfake itself, started
// again when its gpsd does not hand on the log.
#pragma once

#include <QProcess>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace testsupport {

// "$<body>*<checksum>\r\n": the XOR of the body's bytes, in two upper-case hex digits.
std::string NmeaSentence(std::string_view body);

// A port nobody listens on now: the system's choice for a loopback socket bound to port 0.
QString FreeTcpPort();

// How gpsfake plays its log.
struct GpsfakeRun {
    QString program; // gpsfake's path
    QString log;
    QString port;      // its gpsd's
    QString output;    // file for what gpsfake prints
    double pace = 0.2; // seconds between sentences
    bool once = true;  // else the log plays again from its start, over and over
};

// gpsfake playing the log into its own gpsd. It runs in a process group of its own, ended by
// its id, so that its gpsd goes with it even when gpsfake itself does not answer.
class Gpsfake {
public:
    explicit Gpsfake(const GpsfakeRun &run);
    ~Gpsfake();
    Gpsfake(const Gpsfake &) = delete;
    Gpsfake &operator=(const Gpsfake &) = delete;

private:
    QProcess process_;
};

// Starts gpsfake and handles events until `fed` holds (a client has its first fix). gpsfake
// has been seen, under a heavy load, to start its gpsd and never hand it the log's device: it
// is then started again, `attempts` times at most. False if it never fed the client.
bool StartGpsfakeUntilFed(std::unique_ptr<Gpsfake> &gpsfake, const GpsfakeRun &run,
                          const std::function<bool()> &fed,
                          std::chrono::milliseconds limit = std::chrono::seconds(10),
                          int attempts = 3);

} // namespace testsupport
