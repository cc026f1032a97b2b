#pragma once

#include "platform/NonCopyable.h"

#include <functional>
#include <string>

namespace quillmere {

// Tells whether a reminder would interrupt the person: a full-screen window is active, or the
// desktop's do-not-disturb is on. The units decide whether a reminder waits for it.
class BusyMonitor : NonCopyable {
public:
    struct State {
        bool fullScreen = false;
        bool doNotDisturb = false;
        friend bool operator==(const State&, const State&) = default;
    };

    virtual ~BusyMonitor() = default;
    // The names of the sources that answer on this desktop, empty if none does.
    virtual std::string source() const = 0;
    // Starts reporting every change of the state to `changed`; replaces an earlier watch.
    // Costs nothing while nobody watches.
    virtual void watch(std::function<void(State)> changed) = 0;
    // Stops reporting.
    virtual void unwatch() = 0;
    // The state now.
    virtual State state() const = 0;
};

} // namespace quillmere
