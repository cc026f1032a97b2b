#pragma once

#include "platform/NonCopyable.h"
#include "platform/View.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quillmere {

// Content that a panel hosts and renders.
class HostedView {
public:
    virtual ~HostedView() = default;
    // The content as it is now; asked again whenever the platform renders.
    virtual ViewNode body() = 0;
};

// Window style flags a panel can take on top of its own.
namespace PanelStyle {
// The dark translucent heads-up look.
inline constexpr std::uint64_t HudWindow = std::uint64_t{1} << 13;
} // namespace PanelStyle

// The three buttons of a standard title bar.
enum class StandardButton { Close = 0, Miniaturize = 1, Zoom = 2 };

// A floating window around one hosted view.
class Panel : NonCopyable {
public:
    virtual ~Panel() = default;
    // Hosts `view`, which outlives the panel.
    virtual void setContentView(HostedView& view) = 0;
    virtual bool hasContentView() const = 0;
    virtual void setContentHidden(bool hidden) = 0;
    // Called whenever the panel is about to close ("windowWillClose:"), whatever closed it.
    virtual void setWillClose(std::function<void()> willClose) = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual std::uint64_t styleMask() const = 0;
    virtual void setStyleMask(std::uint64_t mask) = 0;
    virtual bool hasStandardButton(StandardButton button) const = 0;
    virtual void hideStandardButton(StandardButton button) = 0;
    virtual void setPreventsApplicationTerminationWhenModal(bool prevents) = 0;
    virtual void setMovableByWindowBackground(bool movable) = 0;
    virtual void setTitleHidden(bool hidden) = 0;
    virtual void setTitlebarAppearsTransparent(bool transparent) = 0;
    // Centres the panel on the screen.
    virtual void center() = 0;
    // Closes the panel; a modal run on it ends through the will-close callback.
    virtual void close() = 0;
};

} // namespace quillmere
