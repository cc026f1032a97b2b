#include "PrivateDisplay.h"

#include "PrivateBus.h"

#include <QStandardPaths>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <sys/prctl.h>

namespace quillmere::testing {

namespace {

void endWith(QProcess& process) {
    // Ends with the test process, even one that crashed.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

void stop(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(1000);
        }
    }
}

} // namespace

PrivateDisplay::PrivateDisplay()
    : savedDisplay_(qgetenv("DISPLAY")) {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        return;
    }
    endWith(server_);
    // Xvfb picks a free display and writes its number to standard output once it listens. It
    // must not reset when its last client leaves: a client connecting meanwhile is refused.
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("640x480x24"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp"), QStringLiteral("-noreset")});
    QByteArray line;
    while (!line.endsWith('\n') && server_.waitForReadyRead(10000)) {
        line += server_.readAllStandardOutput();
    }
    if (!line.endsWith('\n')) {
        return;
    }
    qputenv("DISPLAY", ":" + line.trimmed());
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

PrivateDisplay::~PrivateDisplay() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
    }
    stop(windowManager_);
    stop(server_);
    if (savedDisplay_.isNull()) {
        qunsetenv("DISPLAY");
    } else {
        qputenv("DISPLAY", savedDisplay_);
    }
}

bool PrivateDisplay::startWindowManager() {
    endWith(windowManager_);
    windowManager_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    // It names itself on the root window once it has taken over the screen.
    return waitUntil([&] { return hasProperty(root_, atom("_NET_SUPPORTING_WM_CHECK")); },
                     std::chrono::seconds(10));
}

bool PrivateDisplay::xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(5000) && process.exitCode() == 0;
}

xcb_window_t PrivateDisplay::createWindow() {
    const xcb_window_t window = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    // Requests about a window reach the window manager only once it manages the window, which it
    // marks with WM_STATE. One mapped while openbox is still starting stays unmanaged: map again.
    const bool managed = windowManager_.state() != QProcess::Running;
    for (int attempt = 0; attempt < 10; ++attempt) {
        xcb_map_window(connection_, window);
        xcb_flush(connection_);
        if (managed || waitUntil([&] { return hasProperty(window, atom("WM_STATE")); },
                                 std::chrono::milliseconds(300))) {
            break;
        }
        xcb_unmap_window(connection_, window);
    }
    return window;
}

void PrivateDisplay::activate(xcb_window_t window) {
    sendToRoot(window, atom("_NET_ACTIVE_WINDOW"), 2, XCB_CURRENT_TIME);
}

void PrivateDisplay::setFullScreen(xcb_window_t window, bool fullScreen) {
    sendToRoot(window, atom("_NET_WM_STATE"), fullScreen ? 1 : 0, atom("_NET_WM_STATE_FULLSCREEN"));
}

void PrivateDisplay::setScreenSaverTimeout(int seconds) {
    xcb_set_screen_saver(connection_, static_cast<std::int16_t>(seconds), 0, XCB_BLANKING_PREFERRED,
                         XCB_EXPOSURES_ALLOWED);
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

bool PrivateDisplay::hasProperty(xcb_window_t window, xcb_atom_t property) {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, property, XCB_ATOM_ANY, 0, 1),
            nullptr),
        &std::free);
    return reply && reply->type != XCB_ATOM_NONE;
}

xcb_atom_t PrivateDisplay::atom(const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void PrivateDisplay::sendToRoot(xcb_window_t window, xcb_atom_t type, std::uint32_t first,
                                std::uint32_t second) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    message.data.data32[0] = first;
    message.data.data32[1] = second;
    message.data.data32[3] = 2; // a pager's request, which window managers honour at once
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

} // namespace quillmere::testing
