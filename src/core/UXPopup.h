#pragma once

#include <memory>

namespace quillmere {

class Alert;
class Application;
class Cfg;

// The modal break reminder: "Restart" or "Snooze", and a check box that turns pop-ups off.
class UXPopup {
public:
    enum class Result { Restart, Snooze };

    static constexpr const char* InformativeText = "Look around. Take a breath. Stretch.";
    static constexpr const char* RestartButton = "Restart";
    static constexpr const char* SnoozeButton = "Snooze";
    static constexpr const char* SuppressionTitle = "Disable popup notifications";

    // Builds the alert once; nothing is shown.
    UXPopup(Cfg& cfg, Application& application, std::unique_ptr<Alert> alert);
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
