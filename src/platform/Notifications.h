#pragma once

#include "platform/NonCopyable.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmere {

// Messages the desktop shows outside the program's windows, with buttons where it offers them.
// One at a time: a new one replaces the one shown before.
class Notifications : NonCopyable {
public:
    struct Action {
        // What `invoked` is told; the label is what the button reads.
        std::string key;
        std::string label;
    };
    struct Handlers {
        // The person chose the action with this key.
        std::function<void(const std::string& key)> invoked;
        // The notification went away without an action (dismissed, expired).
        std::function<void()> closed;
    };

    virtual ~Notifications() = default;
    // Shows a notification; where no notification service answers, nothing is shown. The
    // actions are offered where the desktop can show them. At most one handler is called.
    virtual void show(const std::string& title, const std::string& body,
                      const std::vector<Action>& actions, Handlers handlers) = 0;
    // Takes away the notification shown, if any; no handler of it is called any more.
    virtual void close() = 0;
};

} // namespace quillmere
