#pragma once

#include "core/AppState.h"
#include "core/Cfg.h"

#include <functional>
#include <variant>
#include <vector>

namespace quillmere {

// A request from the user interface.
enum class UIAction {
    CountdownChange,   // the countdown display should change; nothing publishes it at present
    Restart,           // restart the work interval now
    Terminate,         // quit the application
    PauseHalfHour,     // no reminders for 30 minutes
    PauseHour,         // no reminders for an hour
    PauseUntilMorning, // no reminders until the next local 06:00
    Resume,            // end a pause now
};

// One published occurrence.
struct Event {
    struct CfgChange {
        Cfg::Parameter parameter;
    };
    struct UIActionEvent {
        UIAction action;
    };
    struct AppStateChange {
        AppState oldState;
        AppState newState;
    };

    static Event cfgChange(Cfg::Parameter parameter) { return {CfgChange{parameter}}; }
    static Event uiAction(UIAction action) { return {UIActionEvent{action}}; }
    static Event appStateChange(AppState oldState, AppState newState) {
        return {AppStateChange{oldState, newState}};
    }

    std::variant<CfgChange, UIActionEvent, AppStateChange> payload;
};

// The in-process bus: synchronous, in registration order, re-entrant. Subscriptions are kept for
// the bus's whole life.
class Events {
public:
    using CfgChangeSubscriber = std::function<void(const Cfg::Parameter&)>;
    using UIActionSubscriber = std::function<void(UIAction)>;
    using AppStateChangeSubscriber = std::function<void(AppState oldState, AppState newState)>;

    Events() = default;
    Events(const Events&) = delete;
    Events& operator=(const Events&) = delete;

    // Delivers the event to a snapshot of its list, first registered first, before returning.
    void publish(const Event& event);
    void subscribe(CfgChangeSubscriber subscriber);
    void subscribe(UIActionSubscriber subscriber);
    void subscribe(AppStateChangeSubscriber subscriber);

private:
    std::vector<CfgChangeSubscriber> cfgChangeSubscribers_;
    std::vector<UIActionSubscriber> uiActionSubscribers_;
    std::vector<AppStateChangeSubscriber> appStateChangeSubscribers_;
};

} // namespace quillmere
