// The link's one-second timers (Timer1, Timer2): they run only while the main window waits
// for the module. In the program they tick by themselves; tests step them instead.
#pragma once

#include <QObject>
#include <QTimer>

namespace app {

class LinkTimer : public QObject {
    Q_OBJECT

public:
    explicit LinkTimer(QObject *parent = nullptr);

    void start();
    void stop();
    bool isActive() const { return active_; }
    int interval() const { return timer_.interval(); }
    void setInterval(int milliseconds) { timer_.setInterval(milliseconds); }

    // A stepped timer never ticks by itself: Tick() delivers its ticks.
    void SetStepped(bool stepped);
    void Tick();
    // Grows at every start, so that a restart can be told from a timer that ran on.
    int Starts() const { return starts_; }

signals:
    void timeout();

private:
    QTimer timer_;
    bool active_ = false;
    bool stepped_ = false;
    int starts_ = 0;
};

} // namespace app
