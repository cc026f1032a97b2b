#pragma once

#include "platform/BusyMonitor.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace quillmere::qt {

class XcbConnection;

// Whether the active window is full screen, as the window manager says (the root's
// _NET_ACTIVE_WINDOW, that window's _NET_WM_STATE); told by property changes, never polled.
// Do-not-disturb is never on here.
class X11FullScreenWatch : public BusyMonitor {
public:
    // The check on the display DISPLAY names, or none without an X server.
    static std::unique_ptr<X11FullScreenWatch> create();
    ~X11FullScreenWatch() override;

    std::string source() const override { return "X11 full-screen"; }
    void watch(std::function<void(State)> changed) override;
    void unwatch() override;
    State state() const override;

private:
    struct Atoms {
        std::uint32_t activeWindow;
        std::uint32_t windowState;
        std::uint32_t fullScreen;
    };

    X11FullScreenWatch(std::unique_ptr<XcbConnection> connection, Atoms atoms);
    std::uint32_t readActiveWindow() const;
    bool readFullScreen(std::uint32_t window) const;
    void follow(std::uint32_t window);
    void refresh();

    std::unique_ptr<XcbConnection> connection_;
    Atoms atoms_;
    std::function<void(State)> changed_;
    bool watching_ = false;
    // The active window whose state changes we listen to, or none.
    std::uint32_t followed_ = 0;
    State state_;
};

} // namespace quillmere::qt
