// Bound event callbacks: a target object plus one of its member functions.
#pragma once

#include <array>
#include <cstring>
#include <functional>
#include <typeindex>
#include <typeinfo>

namespace platform {

// The root of everything that can be the sender of an event.
class TObject {
public:
    virtual ~TObject() = default;
};

// An event slot. Unassigned, it is skipped by the code that fires it. Two slots
// compare equal when they hold the same member function bound to the same target, so
// "is this slot bound to Foo::Bar of that object?" can be asked, as event-driven code
// needs to.
template <typename... Args> class TEvent {
public:
    TEvent() = default;

    template <typename T>
    TEvent(T *target, void (T::*method)(Args...))
        : call_([target, method](Args... args) { (target->*method)(args...); }), target_(target),
          type_(typeid(T)) {
        static_assert(sizeof(method) <= sizeof(method_), "member pointer too large");
        std::memcpy(method_.data(), &method, sizeof(method));
    }

    // A callback that is no member function (tests, adapters); it never equals a bound one.
    static TEvent FromFunction(std::function<void(Args...)> function) {
        TEvent event;
        event.call_ = std::move(function);
        return event;
    }

    explicit operator bool() const { return static_cast<bool>(call_); }
    void operator()(Args... args) const { call_(args...); }

    template <typename T> bool Is(T *target, void (T::*method)(Args...)) const {
        return *this == TEvent(target, method);
    }

    friend bool operator==(const TEvent &a, const TEvent &b) {
        if (!a.call_ || !b.call_)
            return !a.call_ && !b.call_;
        return a.target_ != nullptr && a.target_ == b.target_ && a.type_ == b.type_ &&
               a.method_ == b.method_;
    }

private:
    std::function<void(Args...)> call_;
    const void *target_ = nullptr;
    std::type_index type_ = typeid(void);
    std::array<unsigned char, 2 * sizeof(void *)> method_{};
};

using TNotifyEvent = TEvent<TObject *>;

} // namespace platform
