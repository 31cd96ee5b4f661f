// The one wrapper through which Qt signals reach the forms' handlers.
#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace platform {

// Shows the error box for an exception that ended a handler (the application's title,
// the error's message); the program then goes on with the next event.
void ReportHandlerException(std::exception_ptr error);

// Wraps a handler so that no exception ever crosses the Qt event loop: whatever it
// throws is reported in the error box. The wrapper accepts the signal's arguments and
// passes on those the handler takes, so it can be given to connect() directly:
//     connect(button, &QPushButton::clicked, platform::Guarded([this] { BitBtn1Click(this); }));
template <typename Handler> auto Guarded(Handler handler) {
    // The return type names the call, so that connect() can find out how many of the
    // signal's arguments the handler takes.
    return [handler = std::move(handler)](auto &&...args)
               -> decltype(std::invoke(handler, std::forward<decltype(args)>(args)...), void()) {
        try {
            std::invoke(handler, std::forward<decltype(args)>(args)...);
        } catch (...) {
            ReportHandlerException(std::current_exception());
        }
    };
}

} // namespace platform
