// One way out for the heading sentences (UDP, a TCP server, the pseudo-terminal). Each
// output sends without ever waiting, and tells what goes wrong through its notice sink: a
// lasting problem is said once, and again only after the output worked in between.
#pragma once

#include "nmea/OutputTarget.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace nmea {

struct ShareNotice {
    // A problem goes to the status bar and the trace, a note only to the trace. Problems
    // are short: the status bar's panel is narrow.
    enum class Kind { Problem, Note };
    Kind kind = Kind::Note;
    QString text;
};
using NoticeSink = std::function<void(const ShareNotice &)>;

// The time the outputs judge a backlog's age by; tests step it.
using ShareClock = std::function<std::chrono::steady_clock::time_point()>;

class ShareOutput : public QObject {
public:
    ShareOutput(OutputTarget target, NoticeSink notify);

    const OutputTarget &Target() const { return target_; }
    // Sends one reading's sentences, each framed with its CR LF.
    virtual void Send(const std::vector<std::string> &sentences) = 0;
    // Connected TCP clients; 0 for the other outputs.
    virtual int Clients() const { return 0; }
    // True when the output could not start (a port taken, a name that is not a link, a
    // host not found); it is then made again when the settings are applied again.
    virtual bool Failed() const { return false; }
    // The lasting problem said last and not cleared since; empty while the output works.
    QString CurrentProblem() const;
    // The last sentence handed over to a reader (a datagram sent, a client's socket, the
    // terminal's reader), without its CR LF; empty before the first.
    QString LastDelivered() const { return lastDelivered_; }

protected:
    // What lasting problem a notice is about, for saying it once.
    enum class Trouble { Start, Lookup, Send, Refused, Full };

    // Says the problem unless it was said and has not cleared since.
    void Problem(Trouble trouble, const QString &text);
    void Cleared(Trouble trouble) { said_.erase(trouble); }
    // The sentences of a reading went out.
    void Delivered(const std::vector<std::string> &sentences);
    // Says a problem that is an event of its own (a client dropped).
    void Event(const QString &text);
    void Note(const QString &text);
    // "UDP 127.0.0.1:10110", "TCP 127.0.0.1:10110", "terminal NMEA".
    QString Name() const;

private:
    OutputTarget target_;
    NoticeSink notify_;
    // The lasting problems said, with the order they were said in.
    std::map<Trouble, std::pair<int, QString>> said_;
    int problemsSaid_ = 0;
    QString lastDelivered_;
};

} // namespace nmea
