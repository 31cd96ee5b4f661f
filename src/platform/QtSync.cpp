#include "platform/QtSync.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <thread>

namespace platform {

void InstallQtSynchronize(SyncQueue &queue) {
    queue.SetMainThread(std::this_thread::get_id());
    // A queued call, never a blocking one: a blocking call deadlocks when the main
    // thread waits for the worker, and cannot carry an exception back. The posted
    // call only runs the queue; the job itself, its result and its exception stay in
    // the queue, so a wake-up that finds the queue already served does no harm.
    queue.SetWakeUp([&queue] {
        if (QCoreApplication *app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app, [&queue] { queue.RunPending(); }, Qt::QueuedConnection);
    });
}

} // namespace platform
