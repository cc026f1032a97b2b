#pragma once

#include "platform/Alert.h"
#include "platform/qt/StrayInputGuard.h"

#include <string>
#include <vector>

namespace quillmere::qt {

class QtRunLoop;

// An alert over QMessageBox. A fresh box is built for every run from the stored settings, so the
// same object can be shown again and again; the check box's state is carried from run to run.
// An alert that comes up on its own (the reminder, from a timer) is guarded against keys and
// clicks meant for something else; one that opens over a window of ours in a modal run (the
// settings' refusal) answers the person's own action there and takes input at once.
class QtAlert : public Alert {
public:
    explicit QtAlert(
        QtRunLoop& runLoop, SteadyClock clock = [] { return std::chrono::steady_clock::now(); });
    ~QtAlert() override;

    void setStyle(AlertStyle style) override { style_ = style; }
    void setMessageText(const std::string& text) override { messageText_ = text; }
    void setInformativeText(const std::string& text) override { informativeText_ = text; }
    void addButton(const std::string& title) override { buttons_.push_back(title); }
    void setShowsSuppressionButton(bool shows) override { showsSuppression_ = shows; }
    void setSuppressionButtonTitle(const std::string& title) override { suppressionTitle_ = title; }
    void setSuppressionButtonState(bool ticked) override { suppressionState_ = ticked; }
    bool suppressionButtonState() const override { return suppressionState_; }
    // Returns 1000 for the first button, 1001 for the next, ...; 0 when no button answered
    // (Escape, or the window closed).
    int runModal() override;

private:
    QtRunLoop& runLoop_;
    SteadyClock clock_;
    AlertStyle style_ = AlertStyle::Warning;
    std::string messageText_;
    std::string informativeText_;
    std::vector<std::string> buttons_;
    bool showsSuppression_ = false;
    std::string suppressionTitle_;
    bool suppressionState_ = false;
};

} // namespace quillmere::qt
