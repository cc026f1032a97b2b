#pragma once

#include "platform/Notifications.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillmere::sim {

// A notification service that records what it is asked to show; the test answers for the
// person (chooses an action, dismisses).
class SimNotifications : public Notifications {
public:
    struct Shown {
        std::string title;
        std::string body;
        // The action labels, in order.
        std::vector<std::string> buttons;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    void show(const std::string& title, const std::string& body, const std::vector<Action>& actions,
              Handlers handlers) override {
        Shown shown{title, body, {}};
        for (const Action& action : actions) {
            shown.buttons.push_back(action.label);
        }
        shown_.push_back(std::move(shown));
        current_ = std::move(handlers);
    }
    void close() override {
        ++closes_;
        current_.reset();
    }

    // Everything shown, in order.
    const std::vector<Shown>& shown() const { return shown_; }
    // Whether a notification is on screen.
    bool isShowing() const { return current_.has_value(); }
    // Calls of close(), whether anything was shown or not.
    int closes() const { return closes_; }
    // The person chooses an action on the notification shown, or dismisses it.
    void invoke(const std::string& key) {
        if (auto handlers = std::exchange(current_, std::nullopt); handlers && handlers->invoked) {
            handlers->invoked(key);
        }
    }
    void dismiss() {
        if (auto handlers = std::exchange(current_, std::nullopt); handlers && handlers->closed) {
            handlers->closed();
        }
    }
    // The handlers of the notification shown: a test keeps them to answer late, as a reply
    // still on its way would.
    std::optional<Handlers> handlers() const { return current_; }

private:
    std::vector<Shown> shown_;
    std::optional<Handlers> current_;
    int closes_ = 0;
};

} // namespace quillmere::sim
