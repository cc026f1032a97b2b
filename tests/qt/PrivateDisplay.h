#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/prctl.h>
#include <xcb/xcb.h>

namespace quillmere::testing {

// An X server of the test's own (Xvfb), named by DISPLAY while it lives, so that no test touches
// the user's display; and a connection to act on it as the user and a window manager would.
class PrivateDisplay {
public:
    PrivateDisplay() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty()) {
            return;
        }
        // Xvfb picks a free display and writes its number to standard output once it listens.
        // It must not reset when its last client leaves: a client connecting meanwhile is
        // refused. It ends with the test process, even one that crashed.
        server_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        server_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp",
                               "-noreset"});
        QByteArray line;
        while (!line.endsWith('\n') && server_.waitForReadyRead(10000)) {
            line += server_.readAllStandardOutput();
        }
        if (!line.endsWith('\n')) {
            return;
        }
        qputenv("DISPLAY", ":" + line.trimmed());
        connection_ = xcb_connect(nullptr, nullptr);
        if (isRunning()) {
            root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        }
    }
    ~PrivateDisplay() {
        xcb_disconnect(connection_);
        server_.terminate();
        server_.waitForFinished(3000);
        qputenv("DISPLAY", savedDisplay_);
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // False where Xvfb is not installed or did not start.
    bool isRunning() const { return xcb_connection_has_error(connection_) == 0; }
    // Input from the user, through xdotool ("mousemove 5 5", "key Return").
    bool xdotool(const QStringList& arguments) {
        QProcess process;
        process.start("xdotool", arguments);
        return process.waitForFinished(5000) && process.exitCode() == 0;
    }
    void setScreenSaverTimeout(int seconds) {
        xcb_set_screen_saver(connection_, static_cast<std::int16_t>(seconds), 0,
                             XCB_BLANKING_PREFERRED, XCB_EXPOSURES_ALLOWED);
        // A round trip: the server has the setting before anyone asks.
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

    // A window of another program; what a window manager says of it: on the root window that
    // it is active, on the window itself that it is full screen (among other states).
    xcb_window_t createWindow() {
        const xcb_window_t window = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        return window;
    }
    void activate(xcb_window_t window) {
        setProperty(root_, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW, {window});
    }
    void setFullScreen(xcb_window_t window, bool fullScreen) {
        std::vector<std::uint32_t> states{atom("_NET_WM_STATE_ABOVE")};
        if (fullScreen) {
            states.push_back(atom("_NET_WM_STATE_FULLSCREEN"));
        }
        setProperty(window, "_NET_WM_STATE", XCB_ATOM_ATOM, states);
    }

private:
    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    }
    void setProperty(xcb_window_t window, const char* name, xcb_atom_t type,
                     const std::vector<std::uint32_t>& values) {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom(name), type, 32,
                            static_cast<std::uint32_t>(values.size()), values.data());
        xcb_flush(connection_);
    }

    QProcess server_;
    QByteArray savedDisplay_ = qgetenv("DISPLAY");
    // Until Xvfb runs, a connection in error (xcb's own, for a display that is not there).
    xcb_connection_t* connection_ = xcb_connect(":none", nullptr);
    xcb_window_t root_ = 0;
};

} // namespace quillmere::testing
