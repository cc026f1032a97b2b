#include "core/Events.h"

namespace quillmere {

namespace {

template <typename Subscriber, typename... Args>
void deliver(const std::vector<Subscriber>& subscribers, const Args&... args) {
    // A copy: a subscriber added during this delivery hears only later events.
    const std::vector<Subscriber> snapshot = subscribers;
    for (const Subscriber& subscriber : snapshot) {
        subscriber(args...);
    }
}

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

void Events::publish(const Event& event) {
    std::visit(
        Overloaded{
            [this](const Event::CfgChange& e) { deliver(cfgChangeSubscribers_, e.parameter); },
            [this](const Event::UIActionEvent& e) { deliver(uiActionSubscribers_, e.action); },
            [this](const Event::AppStateChange& e) {
                deliver(appStateChangeSubscribers_, e.oldState, e.newState);
            },
        },
        event.payload);
}

void Events::subscribe(CfgChangeSubscriber subscriber) {
    cfgChangeSubscribers_.push_back(std::move(subscriber));
}

void Events::subscribe(UIActionSubscriber subscriber) {
    uiActionSubscribers_.push_back(std::move(subscriber));
}

void Events::subscribe(AppStateChangeSubscriber subscriber) {
    appStateChangeSubscribers_.push_back(std::move(subscriber));
}

} // namespace quillmere
