#include "core/UXNotification.h"

#include "core/Cfg.h"
#include "core/UXPopup.h"
#include "platform/Notifications.h"

#include <vector>

namespace quillmere {

UXNotification::UXNotification(Notifications& notifications, const Translator& translator,
                               std::function<void(Answer)> answered)
    : notifications_(notifications)
    , translator_(translator)
    , answered_(std::move(answered)) {}

void UXNotification::show(bool answerable) {
    const std::uint64_t shown = ++shown_;
    answerable_ = answerable ? shown : 0;
    std::vector<Notifications::Action> actions;
    if (answerable) {
        actions = {{RestartKey, translator_(UXPopup::RestartButton)},
                   {SnoozeKey, translator_(UXPopup::SnoozeButton)}};
    }
    notifications_.show(Cfg::Name, translator_(UXPopup::InformativeText), actions,
                        {[this, shown](const std::string& key) { onInvoked(shown, key); },
                         [this, shown] {
                             if (answerable_ == shown) {
                                 answerable_ = 0;
                             }
                         }});
}

void UXNotification::withdraw() {
    if (answerable_ == 0) {
        return;
    }
    answerable_ = 0;
    notifications_.close();
}

void UXNotification::onInvoked(std::uint64_t shown, const std::string& key) {
    // A reply to a notification replaced or withdrawn meanwhile answers nothing any more.
    if (shown != answerable_) {
        return;
    }
    answerable_ = 0;
    if (key == RestartKey) {
        answered_(Answer::Restart);
    } else if (key == SnoozeKey) {
        answered_(Answer::Snooze);
    }
}

} // namespace quillmere
