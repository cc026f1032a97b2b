#pragma once

#include "platform/Alert.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmere::sim {

class SimRunLoop;

// What the user does with the next alert that comes up.
struct AlertAnswer {
    int button = Alert::FirstButtonReturn;
    // The check box as the user leaves it; none: as it was.
    std::optional<bool> suppression;
    // Runs while the alert is up (time passing, another event arriving).
    std::function<void()> meanwhile;
};

// One alert that came up, as the user saw it.
struct ShownAlert {
    AlertStyle style;
    std::string messageText;
    std::string informativeText;
    std::vector<std::string> buttons;
    bool showsSuppressionButton;
    std::string suppressionTitle;
    bool suppressionStateShown;
    int answer;
    bool scripted;
};

// The answers every sim alert takes, in order, and the record of what came up.
class AlertScript {
public:
    void answerNext(AlertAnswer answer) { answers_.push_back(std::move(answer)); }
    const std::vector<ShownAlert>& shown() const { return shown_; }
    std::size_t pendingAnswers() const { return answers_.size(); }

private:
    friend class SimAlert;
    std::deque<AlertAnswer> answers_;
    std::vector<ShownAlert> shown_;
};

class SimAlert : public Alert {
public:
    SimAlert(AlertScript& script, SimRunLoop& runLoop)
        : script_(script)
        , runLoop_(runLoop) {}

    void setStyle(AlertStyle style) override { style_ = style; }
    void setMessageText(const std::string& text) override { message_ = text; }
    void setInformativeText(const std::string& text) override { informative_ = text; }
    void addButton(const std::string& title) override { buttons_.push_back(title); }
    void setShowsSuppressionButton(bool shows) override { showsSuppression_ = shows; }
    void setSuppressionButtonTitle(const std::string& title) override { suppressionTitle_ = title; }
    void setSuppressionButtonState(bool ticked) override { suppression_ = ticked; }
    bool suppressionButtonState() const override { return suppression_; }
    // Takes the next scripted answer inside a modal session; unscripted, the default button.
    int runModal() override;

private:
    AlertScript& script_;
    SimRunLoop& runLoop_;
    AlertStyle style_ = AlertStyle::Warning;
    std::string message_;
    std::string informative_;
    std::vector<std::string> buttons_;
    bool showsSuppression_ = false;
    std::string suppressionTitle_;
    bool suppression_ = false;
};

} // namespace quillmere::sim
