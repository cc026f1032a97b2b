#include "platform/qt/linux/X11FullScreenWatch.h"

#include "platform/qt/linux/XcbConnection.h"

#include <array>
#include <string_view>

namespace quillmere::qt {

namespace {

void selectPropertyChanges(xcb_connection_t* connection, xcb_window_t window, bool on) {
    const std::uint32_t mask = on ? XCB_EVENT_MASK_PROPERTY_CHANGE : XCB_EVENT_MASK_NO_EVENT;
    // A window that is gone by now answers with an error event, which nobody needs.
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
}

} // namespace

std::unique_ptr<X11FullScreenWatch> X11FullScreenWatch::create() {
    auto connection = XcbConnection::open();
    if (!connection) {
        return nullptr;
    }
    xcb_connection_t* c = connection->get();
    constexpr std::array<std::string_view, 3> names{"_NET_ACTIVE_WINDOW", "_NET_WM_STATE",
                                                    "_NET_WM_STATE_FULLSCREEN"};
    std::array<xcb_intern_atom_cookie_t, 3> cookies{};
    for (std::size_t i = 0; i < names.size(); ++i) { // one round trip for the three
        cookies[i] =
            xcb_intern_atom(c, 0, static_cast<std::uint16_t>(names[i].size()), names[i].data());
    }
    std::array<std::uint32_t, 3> atoms{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        XcbPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
    }
    if (atoms[0] == XCB_ATOM_NONE || atoms[1] == XCB_ATOM_NONE || atoms[2] == XCB_ATOM_NONE) {
        return nullptr;
    }
    return std::unique_ptr<X11FullScreenWatch>(
        new X11FullScreenWatch(std::move(connection), {atoms[0], atoms[1], atoms[2]}));
}

X11FullScreenWatch::X11FullScreenWatch(std::unique_ptr<XcbConnection> connection, Atoms atoms)
    : connection_(std::move(connection))
    , atoms_(atoms) {}

X11FullScreenWatch::~X11FullScreenWatch() {
    unwatch();
}

void X11FullScreenWatch::watch(std::function<void(State)> changed) {
    changed_ = std::move(changed);
    if (watching_) {
        return;
    }
    watching_ = true;
    // Listen first, then read: no change falls between the two.
    selectPropertyChanges(connection_->get(), connection_->root(), true);
    connection_->startReading([this](const xcb_generic_event_t& event) {
        if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
            return;
        }
        const auto& property = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if ((property.window == connection_->root() && property.atom == atoms_.activeWindow) ||
            (property.window == followed_ && property.atom == atoms_.windowState)) {
            refresh();
        }
    });
    followed_ = 0;
    state_ = {};
    const std::uint32_t active = readActiveWindow();
    follow(active);
    state_.fullScreen = active != 0 && readFullScreen(active);
    connection_->flush();
}

void X11FullScreenWatch::unwatch() {
    if (!watching_) {
        return;
    }
    watching_ = false;
    changed_ = nullptr;
    follow(0);
    selectPropertyChanges(connection_->get(), connection_->root(), false);
    connection_->stopReading();
}

BusyMonitor::State X11FullScreenWatch::state() const {
    if (watching_) {
        return state_;
    }
    const std::uint32_t active = readActiveWindow();
    return {active != 0 && readFullScreen(active), false};
}

std::uint32_t X11FullScreenWatch::readActiveWindow() const {
    xcb_connection_t* c = connection_->get();
    XcbPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, connection_->root(), atoms_.activeWindow, XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return 0;
    }
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

bool X11FullScreenWatch::readFullScreen(std::uint32_t window) const {
    xcb_connection_t* c = connection_->get();
    // A window has a handful of states; 64 is far more than any window manager sets.
    XcbPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atoms_.windowState, XCB_ATOM_ATOM, 0, 64), nullptr));
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* states = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i) {
        if (states[i] == atoms_.fullScreen) {
            return true;
        }
    }
    return false;
}

void X11FullScreenWatch::follow(std::uint32_t window) {
    if (window == followed_) {
        return;
    }
    if (followed_ != 0) {
        selectPropertyChanges(connection_->get(), followed_, false);
    }
    followed_ = window;
    if (window != 0) {
        selectPropertyChanges(connection_->get(), window, true);
    }
}

void X11FullScreenWatch::refresh() {
    const std::uint32_t active = readActiveWindow();
    follow(active);
    const State now{active != 0 && readFullScreen(active), false};
    if (now == state_) {
        return;
    }
    state_ = now;
    // A copy: the callback may stop the watch, which clears it.
    if (const auto report = changed_) {
        report(state_);
    }
}

} // namespace quillmere::qt
