// Idle and back from a Wayland compositor's idle notifications: a small compositor of the
// test's own (libwayland-server, on a thread) offers a seat and the notifier.
#include "platform/qt/linux/WaylandIdleSource.h"
#include "FakeService.h"

#include "ext-idle-notify-v1-server-protocol.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <wayland-server.h>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace quillmere::testing {
namespace {

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
