#pragma once

#include "core/AppState.h"
#include "core/UXStatus.h"
#include "platform/RemoteControl.h"

#include "platform/Translator.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quillmere {

class Cfg;
class Events;

// The timer under the control of other programs: the command line (through the single-instance
// socket) and D-Bus. Decides what each command does and tells followers what the item shows.
// A command acts at once, also while the reminder or a window is open, as the menu's items do;
// an open window stays until it is answered. Status and watch always answer.
class UXControl {
public:
    enum class Verb { Restart, Pause, Resume, Mute, Unmute, Status, Watch };
    struct Command {
        Verb verb = Verb::Status;
        // A pause's length; none: the menu's 30 minutes.
        std::optional<std::int64_t> minutes;
        // The status as a JSON object rather than a line in words.
        bool json = false;
    };
    static constexpr std::int64_t LongestPauseMinutes = 1440;
    static constexpr const char* Usage =
        "restart | pause [MINUTES] | resume | mute | unmute | status [--json] | watch";

    // Why words ask for no command: a text for the command line, with %1 filled by `argument`.
    struct Refusal {
        Text reason;
        std::string argument;
    };
    static constexpr Text NoCommand = translatable("UXControl", "no command");
    static constexpr Text UnknownCommand = translatable("UXControl", "unknown command");
    //: %1 is the longest pause in minutes
    static constexpr Text BadPause =
        translatable("UXControl", "pause takes whole minutes, 1 to %1");
    static constexpr Text BadStatus = translatable("UXControl", "status takes nothing or --json");
    //: %1 is a command's name
    static constexpr Text NoArguments = translatable("UXControl", "%1 takes no arguments");

    // The command `words` ask for ("pause", "30"), or why they ask for none.
    static std::variant<Command, Refusal> parse(const std::vector<std::string>& words);

    // `pauseFor` pauses for the given seconds; `ports` are the ways commands come in.
    UXControl(Cfg& cfg, Events& events, UXStatus& status, std::function<AppState()> state,
              std::function<double()> remainingTime, std::function<void(double)> pauseFor,
              std::vector<RemoteControl*> ports);
    // Stops every port: nothing calls in any more and followers are let go.
    ~UXControl();
    UXControl(const UXControl&) = delete;
    UXControl& operator=(const UXControl&) = delete;

    // Starts taking commands and following the item.
    void start();
    RemoteReply handle(const std::vector<std::string>& words);
    RemoteStatus snapshot() const;
    // The same from what a refresh of the item has just worked out.
    RemoteStatus snapshot(double remaining, UXStatus::Texts texts) const;
    // Publishes what changed since the last time, if anything but the time left did.
    void refresh(double remaining, const UXStatus::Texts& shown);

private:
    Cfg& cfg_;
    Events& events_;
    UXStatus& status_;
    std::function<AppState()> state_;
    std::function<double()> remainingTime_;
    std::function<void(double)> pauseFor_;
    std::vector<RemoteControl*> ports_;
    std::optional<RemoteStatus> published_;
};

} // namespace quillmere
