#pragma once

#include "platform/Presence.h"

#include <QElapsedTimer>
#include <QObject>

#include <chrono>
#include <cstdint>
#include <memory>

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;

namespace quillmere::qt {

// Idle and back from a Wayland compositor that offers ext-idle-notify, on a connection of its
// own (the program's windows may well be on X11 through Xwayland, or on no display at all).
// Its events arrive through the connection's socket on the event loop.
class WaylandIdleSource : public QObject, public Presence {
    Q_OBJECT

public:
    // A source where WAYLAND_DISPLAY names a compositor that offers a seat and the idle
    // notifier, else null. Costs one round trip to the compositor.
    static std::unique_ptr<WaylandIdleSource> create();
    ~WaylandIdleSource() override;

    std::string source() const override { return "Wayland"; }
    void watch(double idleSeconds, Observer observer) override;
    void unwatch() override;
    bool isScreenLocked() const override { return false; }
    // Whether the compositor is still there (it goes with the session).
    bool isConnected() const { return display_ != nullptr; }

    // The compositor's events, as its listeners receive them.
    void onIdled();
    void onResumed();
    void onGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);

private:
    explicit WaylandIdleSource(wl_display* display);
    void dispatch();
    void disconnectFromCompositor();

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    ext_idle_notifier_v1* notifier_ = nullptr;
    ext_idle_notification_v1* notification_ = nullptr;
    std::unique_ptr<QSocketNotifier> readable_;
    Observer observer_;
    std::chrono::milliseconds threshold_{};
    bool idle_ = false;
    QElapsedTimer idleSince_;
};

} // namespace quillmere::qt
