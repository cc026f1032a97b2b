#pragma once

#include "platform/NonCopyable.h"

#include <functional>
#include <string>

namespace quillmere {

// Tells when the computer has woken from sleep.
class WakeNotifier : NonCopyable {
public:
    virtual ~WakeNotifier() = default;
    // Calls `observer` after every wake; `name` is the entry point it calls.
    virtual void addWakeObserver(std::string name, std::function<void()> observer) = 0;
    // Removes every observer registered under `name`.
    virtual void removeWakeObserver(const std::string& name) = 0;
};

} // namespace quillmere
