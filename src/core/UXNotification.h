#pragma once

#include "platform/Translator.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quillmere {

class Notifications;

// The reminder as a desktop notification, for when pop-ups are off. Where the reminder waits for
// an answer it offers "Restart" and "Snooze", which answer it as the popup's buttons do; where
// the next interval starts by itself it only tells, without buttons.
class UXNotification {
public:
    enum class Answer { Restart, Snooze };

    static constexpr const char* RestartKey = "restart";
    static constexpr const char* SnoozeKey = "snooze";

    UXNotification(Notifications& notifications, const Translator& translator,
                   std::function<void(Answer)> answered);

    // Shows the reminder, replacing the one shown before; `answerable` gives it the buttons.
    void show(bool answerable);
    // The reminder was settled some other way: a notification that could still answer it goes.
    void withdraw();

private:
    void onInvoked(std::uint64_t shown, const std::string& key);

    Notifications& notifications_;
    const Translator& translator_;
    std::function<void(Answer)> answered_;
    // Counts the notifications shown; the answerable one among them that still counts, or 0.
    std::uint64_t shown_ = 0;
    std::uint64_t answerable_ = 0;
};

} // namespace quillmere
