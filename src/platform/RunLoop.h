#pragma once

#include "platform/NonCopyable.h"

#include <any>
#include <functional>
#include <memory>
#include <string>

namespace quillmere {

class Panel;

// A scheduled timer. It fires on the main thread, in the run loop's default mode only.
class Timer : NonCopyable {
public:
    virtual ~Timer() = default;
    // Stops the timer for good; a pending or later firing never reaches its callback.
    virtual void invalidate() = 0;
    // False once invalidated; a one-shot timer is valid during its own callback, not after it.
    virtual bool isValid() const = 0;
    // The value the timer was scheduled with (what it is for).
    virtual const std::any& userInfo() const = 0;
    // The name of the entry point the timer calls, for logs and tests.
    virtual const std::string& name() const = 0;
};

// The main thread's run loop: timers and modal runs.
class RunLoop : NonCopyable {
public:
    using TimerCallback = std::function<void(Timer& fired)>;

    virtual ~RunLoop() = default;
    // Schedules a timer in the default mode; `name` is the entry point it calls.
    virtual std::shared_ptr<Timer> scheduleTimer(double intervalSeconds, bool repeats,
                                                 std::string name, std::any userInfo,
                                                 TimerCallback callback) = 0;
    // Shows the panel and runs a modal loop until stopModal(); timers are held meanwhile.
    virtual void runModalForWindow(Panel& panel) = 0;
    // Ends the innermost modal run.
    virtual void stopModal() = 0;
    // Whether a modal run (a window's or an alert's) is active.
    virtual bool inModalRun() const = 0;
    // Brings the window of the innermost modal run to the front, with the keyboard.
    virtual void orderFrontModalWindow() = 0;
};

} // namespace quillmere
