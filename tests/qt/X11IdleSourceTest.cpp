// The X server's idle time and the active window's full-screen state, on a private Xvfb: idle
// after the threshold without input and active at the next input with the time it was idle, by
// the idle counter or the screen saver; full screen while the active window is; silence unwatched.
#include "FakeService.h"

#include "platform/qt/linux/X11FullScreenWatch.h"
#include "platform/qt/linux/X11IdleSource.h"

#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>

#include <sys/prctl.h>
#include <xcb/xcb.h>

namespace quillmere::testing {
namespace {

using namespace std::chrono_literals;
using qt::X11IdleSource;

// An X server of the test's own (Xvfb), named by DISPLAY while it lives, so that no test touches
// the user's display; and a connection to act on it as the user and a window manager would.
class X11Test : public ::testing::Test {
protected:
    X11Test() {
        // Xvfb picks a free display and writes its number to standard output once it listens.
        // It must not reset when its last client leaves: a client connecting meanwhile is
        // refused. It ends with the test process, even one that crashed.
        sinceInput.start();
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
        if (xcb_connection_has_error(connection_) == 0) {
            root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        }
    }
    ~X11Test() override {
        xcb_disconnect(connection_);
        server_.terminate();
        server_.waitForFinished(3000);
        qputenv("DISPLAY", savedDisplay_);
    }
    void SetUp() override { ASSERT_EQ(xcb_connection_has_error(connection_), 0) << "no Xvfb"; }
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

    // The user moved the pointer somewhere new; the seconds they had been idle.
    double input() {
        const double idleSeconds = sinceInput.elapsed() / 1000.0;
        const QString to = QString::number(moves_ += 10);
        QProcess xdotool;
        xdotool.start("xdotool", {"mousemove", to, to});
        EXPECT_TRUE(xdotool.waitForFinished(5000) && xdotool.exitCode() == 0);
        sinceInput.restart();
        return idleSeconds;
    }
    QElapsedTimer sinceInput;

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
    int moves_ = 0;
};

TEST_F(X11Test, IdleAndActiveByTheServersIdleCounter) {
    auto source = X11IdleSource::create();
    ASSERT_NE(source, nullptr);
    // Xvfb has IDLETIME (xcb's padded struct for a counter entry hides it from a plain reader).
    EXPECT_EQ(source->method(), X11IdleSource::Method::IdleCounter);
    PresenceReports first, second;
    // A threshold that is no number watches nothing (and converts nothing to an integer).
    auto late = X11IdleSource::create();
    late->watch(std::nan(""), second.observer());
    input();
    source->watch(0.3, first.observer());
    ASSERT_TRUE(waitUntil([&] { return first.idle == 1; }));
    EXPECT_GE(sinceInput.elapsed(), 250) << "idle before the threshold";
    EXPECT_EQ(second.idle, 0);
    // A source that starts watching when the person is already away says so at once.
    late->watch(0.3, second.observer());
    ASSERT_TRUE(waitUntil([&] { return second.idle == 1; }, 500ms));
    const double idleSeconds = input();
    ASSERT_TRUE(waitUntil([&] { return first.active.size() == 1 && second.active.size() == 1; }));
    EXPECT_NEAR(first.active[0], idleSeconds, 0.15);
    EXPECT_NEAR(second.active[0], idleSeconds, 0.15);
}

TEST_F(X11Test, FullScreenWhileTheActiveWindowIsFullScreenAndNothingWithoutAServer) {
    auto check = qt::X11FullScreenWatch::create();
    ASSERT_NE(check, nullptr);
    std::vector<bool> told;
    check->watch([&](BusyMonitor::State state) { told.push_back(state.fullScreen); });
    const xcb_window_t video = createWindow();
    const xcb_window_t editor = createWindow();
    // Each change as the window manager makes it; the editor is never full screen.
    setFullScreen(video, true);
    activate(video);
    ASSERT_TRUE(waitUntil([&] { return told.size() == 1; }));
    activate(editor);
    ASSERT_TRUE(waitUntil([&] { return told.size() == 2; }));
    activate(video); // followed again when it comes back
    ASSERT_TRUE(waitUntil([&] { return told.size() == 3; }));
    setFullScreen(video, false);
    ASSERT_TRUE(waitUntil([&] { return told.size() == 4; }));
    EXPECT_EQ(told, (std::vector<bool>{true, false, true, false}));
    check->unwatch();
    qputenv("DISPLAY", ":999999");
    EXPECT_EQ(X11IdleSource::create(), nullptr);
    EXPECT_EQ(qt::X11FullScreenWatch::create(), nullptr);
}

} // namespace
} // namespace quillmere::testing
