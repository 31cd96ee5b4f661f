// A client of gpsd, the GNSS daemon, through its own client library: it connects, asks for
// the reports in JSON, and hands on each position report as a Fix. The socket is watched in
// the Qt event loop and read only when it has something, and the connection itself is made
// on a thread of its own (a name to resolve or a host that does not answer would otherwise
// hold up the windows). When gpsd cannot be reached or goes away, the client says so and
// tries again every RetryInterval until it is back.
#pragma once

#include "gnss/Fix.h"
#include "gnss/RetryTimer.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QSocketNotifier;

namespace gnss {

enum class GpsdState {
    Stopped,     // not started, or stopped
    Connecting,  // an attempt under way
    Connected,   // reports flow (or may)
    Unreachable, // the last attempt failed; another comes after RetryInterval
    Lost,        // gpsd closed the connection or it broke; another attempt comes
};

struct GpsdSession;

class GpsdClient : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::seconds RetryInterval{5};
    static constexpr const char *DefaultHost = "localhost";
    static constexpr const char *DefaultPort = "2947";

    // `retry` is the wait between attempts (the event loop's when none is given).
    explicit GpsdClient(QString host = DefaultHost, QString port = DefaultPort,
                        std::unique_ptr<RetryTimer> retry = nullptr, QObject *parent = nullptr);
    ~GpsdClient() override;

    // Connects, and keeps connecting until Stop.
    void Start();
    // Closes the connection and makes no more attempts.
    void Stop();

    GpsdState State() const { return state_; }
    // What the state means for the user (translated), naming gpsd's address.
    QString Message() const { return message_; }
    QString Host() const { return host_; }
    QString Port() const { return port_; }

signals:
    void fixReceived(const gnss::Fix &fix);
    void stateChanged(gnss::GpsdState state, const QString &message);

private:
    void Attempt();
    void Opened(std::unique_ptr<GpsdSession> session, int error);
    void ReadReports();
    void Close();
    void RetryLater(GpsdState state, const QString &message);
    void SetState(GpsdState state, const QString &message);
    QString Address() const;

    QString host_;
    QString port_;
    std::unique_ptr<RetryTimer> retry_;
    std::unique_ptr<GpsdSession> session_;
    QSocketNotifier *notifier_ = nullptr;
    int attempts_ = 0; // attempts made: only the latest one's outcome counts
    GpsdState state_ = GpsdState::Stopped;
    QString message_;
};

} // namespace gnss

Q_DECLARE_METATYPE(gnss::Fix)
Q_DECLARE_METATYPE(gnss::GpsdState)
