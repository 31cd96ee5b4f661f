#include "gnss/GpsdClient.h"

#include <QSocketNotifier>
#include <QThread>

#include <gps.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>

namespace gnss {

// One open connection to gpsd: the library's state (large, so on the heap) and its socket.
struct GpsdSession {
    gps_data_t data{};
    bool open = false;

    ~GpsdSession() {
        if (open)
            gps_close(&data);
    }

    // Connects and asks for the reports in JSON; the library's error code when it fails.
    int Open(const QByteArray &host, const QByteArray &port) {
        errno = 0;
        if (gps_open(host.constData(), port.constData(), &data) != 0)
            return errno != 0 ? errno : NL_NOCONNECT;
        open = true;
        if (gps_stream(&data, WATCH_ENABLE | WATCH_JSON, nullptr) < 0)
            return NL_NOCONNECT;
        return 0;
    }

    // False once gpsd has closed the connection or it broke. A look at the next byte, left
    // in the socket, tells an end from a quiet moment.
    bool Alive() const {
        char byte;
        const ssize_t got = ::recv(data.gps_fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
        if (got > 0)
            return true;
        if (got == 0)
            return false;
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    }

    // The position report just read, as a Fix.
    Fix LastFix() const {
        const gps_fix_t &f = data.fix;
        Fix fix;
        fix.mode = static_cast<FixMode>(std::clamp(f.mode, 0, 3));
        if (data.set & TIME_SET)
            fix.time = Fix::Time(std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::seconds(f.time.tv_sec) + std::chrono::nanoseconds(f.time.tv_nsec)));
        if (data.set & LATLON_SET) {
            fix.latitude = f.latitude;
            fix.longitude = f.longitude;
        }
        if (data.set & ALTITUDE_SET)
            fix.altitude = f.altHAE;
        if (data.set & TRACK_SET)
            fix.course = f.track;
        if (data.set & SPEED_SET)
            fix.speed = f.speed;
        return fix;
    }
};

namespace {

QString AttemptFailure(int error) {
    switch (error) {
    case NL_NOSERVICE:
    case NL_NOHOST:
        return GpsdClient::tr("adresse inconnue");
    case NL_NOCONNECT:
        return GpsdClient::tr("connexion refusée");
    default:
        return GpsdClient::tr("erreur du système (%1)").arg(error);
    }
}

// At most this many reports are read per wake-up, so that a flood cannot hold the loop.
constexpr int ReportsPerWake = 64;

} // namespace

GpsdClient::GpsdClient(QString host, QString port, std::unique_ptr<RetryTimer> retry,
                       QObject *parent)
    : QObject(parent), host_(std::move(host)), port_(std::move(port)),
      retry_(retry ? std::move(retry) : MakeEventLoopRetryTimer()) {
    qRegisterMetaType<gnss::Fix>();
    qRegisterMetaType<gnss::GpsdState>();
}

GpsdClient::~GpsdClient() {
    retry_->Stop();
    Close();
}

QString GpsdClient::Address() const { return host_ + ':' + port_; }

void GpsdClient::Start() {
    if (state_ != GpsdState::Stopped)
        return;
    Attempt();
}

void GpsdClient::Stop() {
    retry_->Stop();
    Close();
    // An attempt under way finishes on its own; its outcome is dropped.
    ++attempts_;
    SetState(GpsdState::Stopped, tr("gpsd n'est pas lu"));
}

void GpsdClient::Attempt() {
    SetState(GpsdState::Connecting, tr("Connexion à gpsd (%1)...").arg(Address()));
    // The session and its outcome belong to the thread until it ends, then to this client;
    // when the client is gone by then, they go with the thread and the connection closes.
    struct Outcome {
        std::unique_ptr<GpsdSession> session = std::make_unique<GpsdSession>();
        int error = 0;
    };
    auto outcome = std::make_shared<Outcome>();
    QThread *thread = QThread::create([outcome, host = host_.toUtf8(), port = port_.toUtf8()] {
        outcome->error = outcome->session->Open(host, port);
    });
    // The thread deletes itself when done; its outcome counts only if no later attempt or
    // stop came meanwhile.
    const int attempt = ++attempts_;
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, [this, attempt, outcome] {
        if (attempt == attempts_)
            Opened(std::move(outcome->session), outcome->error);
    });
    thread->start();
}

void GpsdClient::Opened(std::unique_ptr<GpsdSession> session, int error) {
    if (error != 0) {
        RetryLater(GpsdState::Unreachable, tr("gpsd injoignable (%1) : %2. Nouvel essai dans %3 s.")
                                               .arg(Address(), AttemptFailure(error))
                                               .arg(RetryInterval.count()));
        return;
    }
    session_ = std::move(session);
    const int fd = session_->data.gps_fd;
    // Never wait on the socket: the library's read then returns what is there.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &GpsdClient::ReadReports);
    SetState(GpsdState::Connected, tr("Connecté à gpsd (%1)").arg(Address()));
}

void GpsdClient::ReadReports() {
    if (!session_)
        return;
    gps_data_t &data = session_->data;
    for (int n = 0; n < ReportsPerWake; ++n) {
        // Cleared before each read, the flags say what this report holds; only a position
        // report sets the mode.
        data.set = 0;
        const int read = gps_read(&data, nullptr, 0);
        if (read == 0)
            break; // no whole report yet
        if (read > 0 && (data.set & MODE_SET)) {
            emit fixReceived(session_->LastFix());
            if (!session_)
                return; // a receiver stopped the client
        }
        // A negative result is a report the library could not read, or the end: the check
        // below tells them apart.
        if (read < 0 && !session_->Alive())
            break;
        if (!gps_waiting(&data, 0))
            break;
    }
    if (!session_->Alive()) {
        Close();
        RetryLater(GpsdState::Lost, tr("Liaison avec gpsd perdue (%1). Nouvel essai dans %2 s.")
                                        .arg(Address())
                                        .arg(RetryInterval.count()));
    }
}

void GpsdClient::Close() {
    if (notifier_) {
        // Quiet before its socket closes; deleted later, as this may run in its signal.
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    session_.reset();
}

void GpsdClient::RetryLater(GpsdState state, const QString &message) {
    retry_->Start(RetryInterval, [this] { Attempt(); });
    SetState(state, message);
}

void GpsdClient::SetState(GpsdState state, const QString &message) {
    state_ = state;
    message_ = message;
    emit stateChanged(state, message);
}

} // namespace gnss
