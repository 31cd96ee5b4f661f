// The Qt side of the synchronise facility: queued calls are served by the Qt event loop.
#pragma once

#include "base/sync.h"

namespace platform {

// Makes the calling thread (the one that runs the Qt event loop) the queue's main
// thread, and makes every queued call post an event that runs the queue there. The
// posted event is handled by whatever loop runs at the time: the main loop, a nested
// wait, or a modal box's own loop. The queue's watched descriptors become socket
// notifiers of that loop.
void InstallQtSynchronize(SyncQueue &queue = SyncQueue::Instance());

} // namespace platform
