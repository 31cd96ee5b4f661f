// A command of the main window that must not run where it was asked for (inside the
// handler that asked, inside a message box, during an exchange with the module): it runs
// from the event loop as soon as nothing holds it back.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace app {

class DeferredCall : public QObject {
    Q_OBJECT

public:
    // `mayRun` says whether the call may run now; while it says no, it is asked again a
    // little later. An error of the call is shown in the error box.
    DeferredCall(QObject *parent, std::function<bool()> mayRun, std::function<void()> call);

    // Runs the call once, from the event loop; a request already pending stays the only one.
    void Request();
    bool Pending() const { return timer_.isActive(); }
    void Cancel() { timer_.stop(); }

private:
    void Due();

    QTimer timer_;
    std::function<bool()> mayRun_;
    std::function<void()> call_;
};

} // namespace app
