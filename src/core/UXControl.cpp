#include "core/UXControl.h"

#include "core/Cfg.h"
#include "core/Events.h"
#include "core/UXStatus.h"
#include "platform/WholeNumber.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <utility>

namespace quillmere {

namespace {

constexpr double Minute = 60;

constexpr std::pair<const char*, UXControl::Verb> Verbs[] = {
    {"restart", UXControl::Verb::Restart}, {"pause", UXControl::Verb::Pause},
    {"resume", UXControl::Verb::Resume},   {"mute", UXControl::Verb::Mute},
    {"unmute", UXControl::Verb::Unmute},   {"status", UXControl::Verb::Status},
    {"watch", UXControl::Verb::Watch},
};

// Digits only, no sign or space, within 1 to LongestPauseMinutes.
std::optional<std::int64_t> pauseMinutes(const std::string& text) {
    std::int64_t minutes = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, minutes);
    if (error != std::errc() || stop != end || minutes < 1 ||
        minutes > UXControl::LongestPauseMinutes) {
        return std::nullopt;
    }
    return minutes;
}

const char* stateName(AppState state) {
    switch (state) {
    case AppState::Init:
        return "Init";
    case AppState::Timing:
        return "Timing";
    case AppState::Reminding:
        return "Reminding";
    case AppState::Paused:
        return "Paused";
    }
    return "";
}

const char* boolean(bool value) {
    return value ? "true" : "false";
}

// A JSON string: quotes, backslashes and control characters escaped, UTF-8 kept as it is.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[7];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string json(const RemoteStatus& status) {
    return "{\"state\":" + quoted(status.state) + ",\"title\":" + quoted(status.title) +
           ",\"seconds_left\":" + std::to_string(status.secondsLeft) +
           ",\"muted\":" + boolean(status.muted) + ",\"paused\":" + boolean(status.paused) + "}";
}

} // namespace

std::variant<UXControl::Command, UXControl::Refusal>
UXControl::parse(const std::vector<std::string>& words) {
    if (words.empty()) {
        return Refusal{NoCommand, {}};
    }
    const auto found = std::find_if(std::begin(Verbs), std::end(Verbs),
                                    [&](const auto& verb) { return words.front() == verb.first; });
    if (found == std::end(Verbs)) {
        // The word itself is not echoed: it came from another program and may be anything.
        return Refusal{UnknownCommand, {}};
    }
    Command command;
    command.verb = found->second;
    if (words.size() == 1) {
        return command;
    }
    const bool oneMore = words.size() == 2;
    switch (command.verb) {
    case Verb::Pause:
        command.minutes = oneMore ? pauseMinutes(words[1]) : std::nullopt;
        if (command.minutes) {
            return command;
        }
        return Refusal{BadPause, std::to_string(LongestPauseMinutes)};
    case Verb::Status:
        command.json = oneMore && words[1] == "--json";
        if (command.json) {
            return command;
        }
        return Refusal{BadStatus, {}};
    default:
        return Refusal{NoArguments, found->first};
    }
}

UXControl::UXControl(Cfg& cfg, Events& events, UXStatus& status, std::function<AppState()> state,
                     std::function<double()> remainingTime, std::function<void(double)> pauseFor,
                     std::vector<RemoteControl*> ports)
    : cfg_(cfg)
    , events_(events)
    , status_(status)
    , state_(std::move(state))
    , remainingTime_(std::move(remainingTime))
    , pauseFor_(std::move(pauseFor))
    , ports_(std::move(ports)) {}

UXControl::~UXControl() {
    for (RemoteControl* port : ports_) {
        port->stop();
    }
}

void UXControl::start() {
    status_.setOnRefresh(
        [this](double remaining, const UXStatus::Texts& shown) { refresh(remaining, shown); });
    for (RemoteControl* port : ports_) {
        port->start({[this](const std::vector<std::string>& words) { return handle(words); },
                     [this] { return snapshot(); }});
    }
}

RemoteReply UXControl::handle(const std::vector<std::string>& words) {
    const auto parsed = parse(words);
    // Other programs read the answer: in English, whatever the user's language.
    if (const auto* why = std::get_if<Refusal>(&parsed)) {
        return {RemoteReply::Kind::Refused,
                Translator::withArgument(why->reason.source, why->argument)};
    }
    const Command& command = std::get<Command>(parsed);
    switch (command.verb) {
    case Verb::Restart:
        events_.publish(Event::uiAction(UIAction::Restart));
        break;
    case Verb::Pause:
        if (command.minutes) {
            pauseFor_(static_cast<double>(*command.minutes) * Minute);
        } else {
            events_.publish(Event::uiAction(UIAction::PauseHalfHour));
        }
        break;
    case Verb::Resume:
        events_.publish(Event::uiAction(UIAction::Resume));
        break;
    case Verb::Mute:
    case Verb::Unmute:
        cfg_.set(Cfg::Parameter::mute(command.verb == Verb::Mute), true);
        break;
    case Verb::Status: {
        const RemoteStatus now = snapshot();
        return {RemoteReply::Kind::Done, command.json ? json(now) : now.summary};
    }
    case Verb::Watch:
        return {RemoteReply::Kind::Watch, snapshot().title};
    }
    return {};
}

RemoteStatus UXControl::snapshot() const {
    const double remaining = remainingTime_();
    return snapshot(remaining, status_.texts(remaining));
}

RemoteStatus UXControl::snapshot(double remaining, UXStatus::Texts texts) const {
    const AppState state = state_();
    return {stateName(state),         std::move(texts.title),
            std::move(texts.toolTip), truncatedToInt64(remaining).value_or(0),
            cfg_.isMuted(),           state == AppState::Paused};
}

void UXControl::refresh(double remaining, const UXStatus::Texts& shown) {
    RemoteStatus now = snapshot(remaining, shown);
    RemoteControl::Changes changes{true, true, true, true};
    if (published_) {
        changes = {now.state != published_->state, now.title != published_->title,
                   now.muted != published_->muted, now.paused != published_->paused};
        if (!changes.state && !changes.title && !changes.muted && !changes.paused) {
            return;
        }
    }
    published_ = std::move(now);
    for (RemoteControl* port : ports_) {
        port->publish(*published_, changes);
    }
}

} // namespace quillmere
