#pragma once

#include "platform/NonCopyable.h"

#include <functional>
#include <string>

namespace quillmere {

// One entry of a menu.
class MenuItem : NonCopyable {
public:
    virtual ~MenuItem() = default;
    virtual const std::string& title() const = 0;
    // The name of the action it calls, for logs and tests.
    virtual const std::string& actionName() const = 0;
    // A single lower-case letter used with the platform's command modifier, or empty.
    virtual const std::string& keyEquivalent() const = 0;
    // The check mark.
    virtual void setState(bool on) = 0;
    virtual bool state() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    // A hidden item is not shown and cannot be chosen; it keeps its place in the menu.
    virtual void setHidden(bool hidden) = 0;
    virtual bool isHidden() const = 0;
    virtual bool isSeparator() const = 0;
};

// A menu of items and separators, in order.
class Menu : NonCopyable {
public:
    using Action = std::function<void(MenuItem& sender)>;

    virtual ~Menu() = default;
    // Appends an item that calls `action` with itself as sender when chosen.
    virtual MenuItem& addItem(const std::string& title, const std::string& actionName,
                              const std::string& keyEquivalent, Action action) = 0;
    // Appends a separator.
    virtual void addSeparator() = 0;
    // The first item with this title, or null.
    virtual MenuItem* itemWithTitle(const std::string& title) = 0;
};

} // namespace quillmere
