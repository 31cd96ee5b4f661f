#include "headinglog/LogWriter.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace headinglog {

namespace {

// How often a writer waiting for room in a pipe looks whether Close gave up on it.
constexpr int kPollMsecs = 100;

struct Line {
    QByteArray bytes;
    bool row; // false for the header
};

} // namespace

QString WriteErrorText(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QCoreApplication::translate("LogWriter", "le disque est plein");
    case ENXIO:
        return QCoreApplication::translate("LogWriter",
                                           "aucun programme ne lit ce tube nommé ; lancez "
                                           "d'abord celui qui doit le lire");
    case EPIPE:
        return QCoreApplication::translate("LogWriter",
                                           "le programme qui lisait le tube s'est arrêté");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

struct LogWriter::Shared {
    std::mutex mutex;
    std::condition_variable queued, idle;
    std::deque<Line> queue;
    int fd = -1;
    bool regular = false;
    off_t whole = 0; // bytes of whole lines in the file
    long long rows = 0, written = 0, lost = 0;
    bool busy = false; // a line is being written
    int failure = 0;   // the errno of the failed write
    bool stopping = false, ended = false;
    std::atomic<bool> givenUp{false};
    std::mutex tellMutex;
    bool silenced = false; // (tellMutex) Close has returned: tell nothing more
    std::function<void()> failed, losing;

    void Tell(const std::function<void()> &what) {
        std::lock_guard lock(tellMutex);
        if (!silenced && what)
            what();
    }
    // Writes the whole line, waiting for room in a pipe: 0, or the errno of the failure.
    int WriteAll(const QByteArray &bytes) const {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.constData() + done,
                                      static_cast<std::size_t>(bytes.size() - done));
            if (n > 0) {
                done += n;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else if (n < 0 && errno == EAGAIN) {
                if (givenUp)
                    return ECANCELED;
                pollfd room{fd, POLLOUT, 0};
                ::poll(&room, 1, kPollMsecs); // an error shows in the next write
            } else {
                return n == 0 ? EIO : errno;
            }
        }
        return 0;
    }
};

LogWriter::LogWriter(LogWriterOptions options) : options_(std::move(options)) {
    options_.capacity = std::max<std::size_t>(options_.capacity, 1);
}

LogWriter::~LogWriter() { Close(); }

bool LogWriter::Open(const QString &path, Existing existing, LogLayout layout) {
    Close();
    shared_.reset();
    path_ = path;
    layout_ = layout;
    openError_.clear();
    lostAtClose_ = 0;
    const QByteArray name = QFile::encodeName(path);
    constexpr int kFlags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    auto fail = [&](const QString &reason, int fd = -1) {
        if (fd >= 0)
            ::close(fd);
        openError_ = reason;
        return false;
    };
    // A new file, or what is there taken as it is: never emptied by the opening itself.
    int fd = ::open(name.constData(), kFlags | O_CREAT | O_EXCL, 0666);
    if (fd < 0 && errno == EEXIST)
        fd = ::open(name.constData(), kFlags);
    if (fd < 0)
        return fail(WriteErrorText(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return fail(WriteErrorText(errno), fd);
    const bool regular = S_ISREG(status.st_mode);
    if (regular && status.st_size > 0) {
        if (existing == Existing::Refuse)
            return fail(QCoreApplication::translate("LogWriter",
                                                    "le fichier existe déjà ; il n'est pas "
                                                    "remplacé : nommez un nouveau fichier"),
                        fd);
        if (::ftruncate(fd, 0) != 0)
            return fail(WriteErrorText(errno), fd);
    } else if (!regular && !S_ISFIFO(status.st_mode) && !S_ISCHR(status.st_mode) &&
               !S_ISSOCK(status.st_mode)) {
        return fail(
            QCoreApplication::translate(
                "LogWriter", "ce n'est ni un fichier ordinaire, ni un tube, ni un appareil"),
            fd);
    }
    // The header now, as far as it goes without waiting, so that a file that takes nothing
    // is refused here.
    const QByteArray header = LogHeader(layout) + '\n';
    ssize_t n;
    do
        n = ::write(fd, header.constData(), static_cast<std::size_t>(header.size()));
    while (n < 0 && errno == EINTR);
    if (n < 0 && errno != EAGAIN)
        return fail(WriteErrorText(errno), fd);
    if (n >= 0 && n < header.size() && regular)
        return fail(WriteErrorText(ENOSPC), fd); // a regular file that takes part: full
    shared_ = std::make_shared<Shared>();
    shared_->fd = fd;
    shared_->regular = regular;
    shared_->failed = options_.failed;
    shared_->losing = options_.losing;
    if (n == header.size())
        shared_->whole = header.size();
    else
        shared_->queue.push_back({header.mid(std::max<qsizetype>(n, 0)), false});
    thread_ = std::thread([shared = shared_] { Loop(shared); });
    return true;
}

bool LogWriter::Append(const LogRow &row) {
    if (!shared_)
        return false;
    Shared &s = *shared_;
    bool firstLoss = false;
    {
        std::lock_guard lock(s.mutex);
        if (s.failure || s.stopping)
            return false;
        if (s.queue.size() >= options_.capacity) {
            firstLoss = s.lost++ == 0;
        } else {
            s.queue.push_back({FormatLogRow(row, layout_), true});
            ++s.rows;
        }
    }
    if (firstLoss)
        s.Tell(s.losing);
    else
        s.queued.notify_one();
    return true;
}

void LogWriter::Loop(const std::shared_ptr<Shared> &shared) {
    Shared &s = *shared;
    std::unique_lock lock(s.mutex);
    for (;;) {
        s.queued.wait(lock, [&] { return s.stopping || !s.queue.empty(); });
        if (s.queue.empty() || s.givenUp)
            break;
        const Line line = std::move(s.queue.front());
        s.queue.pop_front();
        s.busy = true;
        lock.unlock();
        const int failure = s.WriteAll(line.bytes);
        lock.lock();
        s.busy = false;
        if (s.givenUp)
            break;
        if (failure == 0) {
            s.whole += line.bytes.size();
            s.written += line.row ? 1 : 0;
            if (s.queue.empty())
                s.idle.notify_all();
            continue;
        }
        // Whole rows only: the part of a row the failure cut off goes.
        // (A truncation that fails leaves the part there; the write's failure is told.)
        if (s.regular) {
            [[maybe_unused]] const int truncated = ::ftruncate(s.fd, s.whole);
        }
        s.failure = failure;
        s.lost += (line.row ? 1 : 0) + static_cast<long long>(s.queue.size());
        s.queue.clear();
        lock.unlock();
        s.Tell(s.failed);
        lock.lock();
        break;
    }
    ::close(s.fd);
    s.fd = -1;
    s.ended = true;
    s.idle.notify_all();
}

void LogWriter::Close() {
    if (!shared_ || !thread_.joinable())
        return;
    Shared &s = *shared_;
    std::unique_lock lock(s.mutex);
    s.stopping = true;
    s.queued.notify_all();
    const bool ended = s.idle.wait_for(lock, options_.finalWait, [&] { return s.ended; });
    if (!ended) {
        // Stuck waiting for room (a reader that stopped reading): the rows it has not
        // written are given up, and so is the thread, which ends at its next look.
        s.givenUp = true;
        lostAtClose_ = static_cast<long long>(s.queue.size()) + (s.busy ? 1 : 0);
        s.lost += lostAtClose_;
        s.queue.clear();
    }
    lock.unlock();
    {
        std::lock_guard tellLock(s.tellMutex);
        s.silenced = true;
    }
    if (ended)
        thread_.join();
    else
        thread_.detach();
}

bool LogWriter::Drain(std::chrono::milliseconds limit) {
    if (!shared_)
        return true;
    Shared &s = *shared_;
    std::unique_lock lock(s.mutex);
    return s.idle.wait_for(lock, limit, [&] { return s.ended || (s.queue.empty() && !s.busy); });
}

bool LogWriter::IsOpen() const {
    if (!shared_ || !thread_.joinable())
        return false;
    std::lock_guard lock(shared_->mutex);
    return !shared_->failure && !shared_->stopping;
}

long long LogWriter::Rows() const {
    if (!shared_)
        return 0;
    std::lock_guard lock(shared_->mutex);
    return shared_->rows;
}

long long LogWriter::Written() const {
    if (!shared_)
        return 0;
    std::lock_guard lock(shared_->mutex);
    return shared_->written;
}

long long LogWriter::Lost() const {
    if (!shared_)
        return 0;
    std::lock_guard lock(shared_->mutex);
    return shared_->lost;
}

QString LogWriter::Error() const {
    if (!openError_.isEmpty())
        return openError_;
    if (!shared_)
        return {};
    std::lock_guard lock(shared_->mutex);
    return shared_->failure ? WriteErrorText(shared_->failure) : QString();
}

} // namespace headinglog
