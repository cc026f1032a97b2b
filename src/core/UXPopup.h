#pragma once

#include "platform/Translator.h"

#include <memory>

namespace quillmere {

class Alert;
class Application;
class Cfg;

// The modal break reminder: "Restart" or "Snooze", and a check box that turns pop-ups off.
class UXPopup {
public:
    enum class Result { Restart, Snooze };

    static constexpr Text InformativeText =
        translatable("UXPopup", "Look around. Take a breath. Stretch.");
    //: Starts the next work interval now
    static constexpr Text RestartButton = translatable("UXPopup", "Restart");
    //: Brings the reminder back in a minute
    static constexpr Text SnoozeButton = translatable("UXPopup", "Snooze");
    static constexpr Text SuppressionTitle = translatable("UXPopup", "Disable popup notifications");

    // Builds the alert once; nothing is shown.
    UXPopup(Cfg& cfg, Application& application, std::unique_ptr<Alert> alert,
            const Translator& translator);
    ~UXPopup();
    UXPopup(const UXPopup&) = delete;
    UXPopup& operator=(const UXPopup&) = delete;

    // Brings the application to the front and waits for the answer.
    Result runModal();

private:
    std::unique_ptr<Alert> alert_;
    Cfg& cfg_;
    Application& application_;
};

} // namespace quillmere
