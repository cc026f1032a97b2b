#pragma once

#include "platform/NonCopyable.h"

#include <string>

namespace quillmere {

enum class AlertStyle { Warning = 0, Informational = 1, Critical = 2 };

// A modal alert with buttons and an optional suppression check box.
class Alert : NonCopyable {
public:
    // The answer code of the first button; each further button answers one more.
    static constexpr int FirstButtonReturn = 1000;

    virtual ~Alert() = default;
    virtual void setStyle(AlertStyle style) = 0;
    // The bold title.
    virtual void setMessageText(const std::string& text) = 0;
    // The text under the title.
    virtual void setInformativeText(const std::string& text) = 0;
    // Appends a button; the first is the default. Without any, one default button dismisses it.
    virtual void addButton(const std::string& title) = 0;
    virtual void setShowsSuppressionButton(bool shows) = 0;
    virtual void setSuppressionButtonTitle(const std::string& title) = 0;
    // The check box's state; it keeps what the user left between runs.
    virtual void setSuppressionButtonState(bool ticked) = 0;
    virtual bool suppressionButtonState() const = 0;
    // Runs the alert modally (timers are held) and returns the pressed button's code.
    virtual int runModal() = 0;
};

} // namespace quillmere
