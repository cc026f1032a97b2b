#pragma once

#include "platform/NonCopyable.h"

#include <functional>

namespace quillmere {

// The process's application object.
class Application : NonCopyable {
public:
    virtual ~Application() = default;
    // Runs the main loop; calls didFinishLaunching once launching is done. Returns the exit status.
    virtual int run(std::function<void()> didFinishLaunching) = 0;
    // Ends the main loop and the process.
    virtual void terminate() = 0;
    // Brings the application to the front, ignoring the application the user is in.
    virtual void activateIgnoringOtherApps() = 0;
};

} // namespace quillmere
