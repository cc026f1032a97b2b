#pragma once

#include "platform/NonCopyable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillmere {

// What the timer shows, for programs that follow it from outside.
struct RemoteStatus {
    std::string state;            // the controller's state by name ("Timing", "Paused", ...)
    std::string title;            // the status item's title
    std::string summary;          // one line in words, as the tooltip says it
    std::int64_t secondsLeft = 0; // to the deadline or the end of a pause; negative after it
    bool muted = false;
    bool paused = false;
};

// The answer to one command.
struct RemoteReply {
    enum class Kind {
        Done,    // carried out; `text` is what to tell, or empty
        Refused, // not understood or not allowed; `text` says why
        Watch,   // the sender follows the title from now on; `text` is the title now
    };
    Kind kind = Kind::Done;
    std::string text;
};

// A way in for commands from other programs (a command line, a message bus) and out for what
// the timer shows to those that follow it.
class RemoteControl : NonCopyable {
public:
    struct Handlers {
        // Carries out one command, given as its words ("pause", "30").
        std::function<RemoteReply(const std::vector<std::string>& words)> command;
        // What the timer shows now.
        std::function<RemoteStatus()> status;
    };
    // Which parts of a published status differ from the one published before.
    struct Changes {
        bool state = false;
        bool title = false;
        bool muted = false;
        bool paused = false;
    };

    virtual ~RemoteControl() = default;
    // Starts taking commands; each goes to the handlers on the main thread.
    virtual void start(Handlers handlers) = 0;
    // Stops taking commands and lets every follower go; the handlers are not called again.
    virtual void stop() = 0;
    // Tells followers the new status; the time left alone changing is never published.
    virtual void publish(const RemoteStatus& status, Changes changes) = 0;
};

} // namespace quillmere
