// What the display server tells. The X server's idle time and the active window's full-screen
// state, on a private Xvfb: idle after the threshold without input and active at the next input
// with the time it was idle; full screen while the active window is; silence unwatched. Idle and
// back from a Wayland compositor's idle notifications: a small compositor of the test's own
// (libwayland-server, on a thread) offers a seat and the notifier.
#include "FakeService.h"

#include "platform/qt/linux/WaylandIdleSource.h"
#include "platform/qt/linux/X11FullScreenWatch.h"
#include "platform/qt/linux/X11IdleSource.h"

#include "ext-idle-notify-v1-server-protocol.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <wayland-server.h>

#include <atomic>
#include <cmath>
#include <csignal>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>
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

// Offers wl_seat and, when asked, ext_idle_notifier_v1 at WAYLAND_DISPLAY in `runtimeDir`; tells
// the idle notification "idled" or "resumed" on command, through a pipe to its own thread.
class FakeCompositor {
public:
    enum Command : char { Idled, Resumed, Quit };

    FakeCompositor(const QString& runtimeDir, bool offerNotifier) {
        [[maybe_unused]] const int piped = pipe2(commands_, O_CLOEXEC);
        qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
        qputenv("WAYLAND_DISPLAY", "test-wayland");
        wl_display_add_socket(display_, "test-wayland");
        wl_global_create(display_, &wl_seat_interface, 1, this,
                         [](wl_client* client, void*, uint32_t version, uint32_t id) {
                             wl_resource_create(client, &wl_seat_interface, int(version), id);
                         });
        if (offerNotifier) {
            wl_global_create(display_, &ext_idle_notifier_v1_interface, 1, this, bindNotifier);
        }
        commandSource_ = wl_event_loop_add_fd(wl_display_get_event_loop(display_), commands_[0],
                                              WL_EVENT_READABLE, onCommand, this);
        thread_ = std::thread([this] { wl_display_run(display_); });
    }
    ~FakeCompositor() {
        send(Quit);
        thread_.join();
        wl_event_source_remove(commandSource_);
        wl_display_destroy_clients(display_);
        wl_display_destroy(display_);
        close(commands_[0]);
        close(commands_[1]);
    }
    void send(Command command) { [[maybe_unused]] auto n = write(commands_[1], &command, 1); }

    // The one notification the client holds, and the threshold it asked for.
    std::atomic<wl_resource*> notification{nullptr};
    std::atomic<uint32_t> timeout{0};

private:
    static void bindNotifier(wl_client* client, void* self, uint32_t version, uint32_t id) {
        static const struct ext_idle_notifier_v1_interface requests = {
            [](wl_client*, wl_resource* notifier) { wl_resource_destroy(notifier); },
            [](wl_client* client, wl_resource* notifier, uint32_t id, uint32_t timeout,
               wl_resource*) {
                static const struct ext_idle_notification_v1_interface destroy = {
                    [](wl_client*, wl_resource* made) { wl_resource_destroy(made); }};
                auto* self = static_cast<FakeCompositor*>(wl_resource_get_user_data(notifier));
                wl_resource* made =
                    wl_resource_create(client, &ext_idle_notification_v1_interface, 1, id);
                wl_resource_set_implementation(made, &destroy, self, [](wl_resource* gone) {
                    static_cast<FakeCompositor*>(wl_resource_get_user_data(gone))->notification =
                        nullptr;
                });
                self->timeout = timeout;
                self->notification = made;
            }};
        wl_resource* notifier =
            wl_resource_create(client, &ext_idle_notifier_v1_interface, int(version), id);
        wl_resource_set_implementation(notifier, &requests, self, nullptr);
    }
    static int onCommand(int fd, uint32_t, void* data) {
        auto* self = static_cast<FakeCompositor*>(data);
        char command = 0;
        [[maybe_unused]] auto n = read(fd, &command, 1);
        if (command == Quit) {
            wl_display_terminate(self->display_);
        } else if (self->notification != nullptr) {
            (command == Idled ? ext_idle_notification_v1_send_idled
                              : ext_idle_notification_v1_send_resumed)(self->notification);
        }
        wl_display_flush_clients(self->display_);
        return 0;
    }

    wl_display* display_ = wl_display_create();
    int commands_[2] = {-1, -1};
    wl_event_source* commandSource_ = nullptr;
    std::thread thread_;
};

class WaylandIdleSourceTest : public ::testing::Test {
protected:
    ~WaylandIdleSourceTest() override {
        qputenv("XDG_RUNTIME_DIR", savedRuntime_);
        qunsetenv("WAYLAND_DISPLAY");
    }
    QTemporaryDir runtime_;
    QByteArray savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");
};

TEST_F(WaylandIdleSourceTest, ReportsIdleAndBackAndOutlivesTheCompositor) {
    // No source without the notifier, or without a display.
    auto compositor = std::make_unique<FakeCompositor>(runtime_.path(), false);
    EXPECT_FALSE(qt::WaylandIdleSource::create());
    compositor.reset();
    EXPECT_FALSE(qt::WaylandIdleSource::create());
    compositor = std::make_unique<FakeCompositor>(runtime_.path(), true);
    auto source = qt::WaylandIdleSource::create();
    ASSERT_TRUE(source);
    PresenceReports heard;
    source->watch(300, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return compositor->notification != nullptr; }));
    EXPECT_EQ(compositor->timeout, 300000u);
    compositor->send(FakeCompositor::Idled);
    ASSERT_TRUE(waitUntil([&] { return heard.idle == 1; }));
    compositor->send(FakeCompositor::Resumed);
    ASSERT_TRUE(waitUntil([&] { return heard.active.size() == 1; }));
    EXPECT_GE(heard.active[0], 300);

    source->unwatch();
    ASSERT_TRUE(waitUntil([&] { return compositor->notification == nullptr; }));
    source->watch(60, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return compositor->notification != nullptr; }));
    // The session ends under a watching source: it stops telling, without crashing.
    compositor.reset();
    ASSERT_TRUE(waitUntil([&] { return !source->isConnected(); }));
    source->watch(60, heard.observer());
    source->unwatch();
    EXPECT_EQ(heard.idle, 1);
}

} // namespace
} // namespace quillmere::testing
