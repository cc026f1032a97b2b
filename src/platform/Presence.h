#pragma once

#include "platform/NonCopyable.h"

#include <functional>
#include <string>

namespace quillmere {

// What the desktop tells about the person in front of it: no input for a while, input again,
// the screen locked or unlocked. The units decide what that means for the timer.
class Presence : NonCopyable {
public:
    struct Observer {
        // No input for the idle threshold given to watch().
        std::function<void()> idle;
        // Input again after idle; `idleSeconds` is the time since the last input before it.
        std::function<void(double idleSeconds)> active;
        // The screen was locked (true) or unlocked (false).
        std::function<void(bool locked)> lockChanged;
    };

    virtual ~Presence() = default;
    // The name of the source that answers on this desktop ("X11", "GNOME", ...), empty if none.
    virtual std::string source() const = 0;
    // Starts reporting to `observer` with `idleSeconds` as the idle threshold; replaces an
    // earlier watch. Costs nothing while nobody watches.
    virtual void watch(double idleSeconds, Observer observer) = 0;
    // Stops reporting.
    virtual void unwatch() = 0;
    // Whether the screen is locked now.
    virtual bool isScreenLocked() const = 0;
};

} // namespace quillmere
