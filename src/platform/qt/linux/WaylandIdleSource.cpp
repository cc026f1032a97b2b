#include "platform/qt/linux/WaylandIdleSource.h"

#include "platform/qt/linux/IdleThreshold.h"

#include "ext-idle-notify-v1-client-protocol.h"

#include <QSocketNotifier>

#include <wayland-client.h>

#include <cstring>

namespace quillmere::qt {

namespace {

const wl_registry_listener RegistryListener = {
    [](void* self, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
        static_cast<WaylandIdleSource*>(self)->onGlobal(registry, name, interface, version);
    },
    [](void*, wl_registry*, uint32_t) {},
};

const ext_idle_notification_v1_listener NotificationListener = {
    [](void* self, ext_idle_notification_v1*) { static_cast<WaylandIdleSource*>(self)->onIdled(); },
    [](void* self, ext_idle_notification_v1*) {
        static_cast<WaylandIdleSource*>(self)->onResumed();
    },
};

} // namespace

std::unique_ptr<WaylandIdleSource> WaylandIdleSource::create() {
    // Without the variable the library would try "wayland-0" on its own.
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return nullptr;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return nullptr;
    }
    std::unique_ptr<WaylandIdleSource> source(new WaylandIdleSource(display));
    source->registry_ = wl_display_get_registry(display);
    wl_registry_add_listener(source->registry_, &RegistryListener, source.get());
    if (wl_display_roundtrip(display) < 0 || source->seat_ == nullptr ||
        source->notifier_ == nullptr) {
        return nullptr;
    }
    source->readable_ =
        std::make_unique<QSocketNotifier>(wl_display_get_fd(display), QSocketNotifier::Read);
    connect(source->readable_.get(), &QSocketNotifier::activated, source.get(),
            &WaylandIdleSource::dispatch);
    return source;
}

WaylandIdleSource::WaylandIdleSource(wl_display* display)
    : display_(display) {}

WaylandIdleSource::~WaylandIdleSource() {
    unwatch();
    disconnectFromCompositor();
}

void WaylandIdleSource::onGlobal(wl_registry* registry, uint32_t name, const char* interface,
                                 uint32_t) {
    // Version 1 of each is all this needs; the first seat is the person's.
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && seat_ == nullptr) {
        seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0 &&
               notifier_ == nullptr) {
        notifier_ = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    }
}

void WaylandIdleSource::watch(double idleSeconds, Observer observer) {
    unwatch();
    if (display_ == nullptr) {
        return;
    }
    observer_ = std::move(observer);
    threshold_ = idleThreshold(idleSeconds);
    notification_ = ext_idle_notifier_v1_get_idle_notification(
        notifier_, static_cast<uint32_t>(threshold_.count()), seat_);
    ext_idle_notification_v1_add_listener(notification_, &NotificationListener, this);
    wl_display_flush(display_);
}

void WaylandIdleSource::unwatch() {
    if (notification_ != nullptr) {
        ext_idle_notification_v1_destroy(notification_);
        notification_ = nullptr;
        wl_display_flush(display_);
    }
    observer_ = {};
    idle_ = false;
}

void WaylandIdleSource::onIdled() {
    if (idle_) {
        return;
    }
    idle_ = true;
    idleSince_.start();
    if (const auto report = observer_.idle) {
        report();
    }
}

void WaylandIdleSource::onResumed() {
    if (!idle_) {
        return;
    }
    idle_ = false;
    const double away =
        std::chrono::duration<double>(threshold_).count() + idleSince_.elapsed() / 1000.0;
    if (const auto report = observer_.active) {
        report(away);
    }
}

void WaylandIdleSource::dispatch() {
    // The socket is readable, so this reads without blocking; it fails once the compositor is
    // gone, and then this source tells nothing more.
    if (wl_display_dispatch(display_) < 0) {
        unwatch();
        disconnectFromCompositor();
    }
}

void WaylandIdleSource::disconnectFromCompositor() {
    if (display_ == nullptr) {
        return;
    }
    readable_.reset();
    if (notifier_ != nullptr) {
        ext_idle_notifier_v1_destroy(notifier_);
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    notifier_ = nullptr;
    seat_ = nullptr;
    registry_ = nullptr;
    wl_display_disconnect(display_);
    display_ = nullptr;
}

} // namespace quillmere::qt
