// Idle and back from a Wayland compositor's idle notifications: a small compositor of the
// test's own (libwayland-server, on a thread) offers a seat and the notifier.
#include "platform/qt/linux/WaylandIdleSource.h"
#include "FakeService.h"

#include "ext-idle-notify-v1-server-protocol.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <wayland-server.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace quillmere::testing {
namespace {

// A compositor that offers wl_seat and, when asked, ext_idle_notifier_v1, and tells every idle
// notification "idled" or "resumed" on command.
class FakeCompositor {
public:
    enum Command : char { Idled, Resumed, Quit };

    FakeCompositor(const QString& runtimeDir, bool offerNotifier)
        : display_(wl_display_create()) {
        [[maybe_unused]] const int piped = pipe2(commands_, O_CLOEXEC);
        qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
        wl_display_add_socket(display_, "test-wayland");
        wl_global_create(display_, &wl_seat_interface, 1, this, bindSeat);
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

    std::atomic<int> notifications{0};
    std::atomic<uint32_t> timeout{0};

private:
    // The client asks nothing of the seat but its name.
    static void bindSeat(wl_client* client, void*, uint32_t version, uint32_t id) {
        wl_resource_create(client, &wl_seat_interface, int(version), id);
    }
    static void bindNotifier(wl_client* client, void* self, uint32_t version, uint32_t id) {
        static const struct ext_idle_notifier_v1_interface requests = {
            [](wl_client*, wl_resource* notifier) { wl_resource_destroy(notifier); },
            [](wl_client* client, wl_resource* notifier, uint32_t id, uint32_t timeout,
               wl_resource*) {
                auto* compositor =
                    static_cast<FakeCompositor*>(wl_resource_get_user_data(notifier));
                compositor->addNotification(client, id, timeout);
            }};
        wl_resource* notifier =
            wl_resource_create(client, &ext_idle_notifier_v1_interface, int(version), id);
        wl_resource_set_implementation(notifier, &requests, self, nullptr);
    }
    void addNotification(wl_client* client, uint32_t id, uint32_t milliseconds) {
        static const struct ext_idle_notification_v1_interface requests = {
            [](wl_client*, wl_resource* notification) { wl_resource_destroy(notification); }};
        wl_resource* notification =
            wl_resource_create(client, &ext_idle_notification_v1_interface, 1, id);
        wl_resource_set_implementation(notification, &requests, this, [](wl_resource* gone) {
            auto* compositor = static_cast<FakeCompositor*>(wl_resource_get_user_data(gone));
            compositor->live_.erase(
                std::find(compositor->live_.begin(), compositor->live_.end(), gone));
            --compositor->notifications;
        });
        live_.push_back(notification);
        timeout = milliseconds;
        ++notifications;
    }
    static int onCommand(int fd, uint32_t, void* self) {
        auto* compositor = static_cast<FakeCompositor*>(self);
        char command = 0;
        [[maybe_unused]] auto n = read(fd, &command, 1);
        for (wl_resource* notification : compositor->live_) {
            if (command == Idled) {
                ext_idle_notification_v1_send_idled(notification);
            } else if (command == Resumed) {
                ext_idle_notification_v1_send_resumed(notification);
            }
        }
        if (command == Quit) {
            wl_display_terminate(compositor->display_);
        }
        wl_display_flush_clients(compositor->display_);
        return 0;
    }

    wl_display* display_;
    int commands_[2] = {-1, -1};
    wl_event_source* commandSource_ = nullptr;
    std::vector<wl_resource*> live_;
    std::thread thread_;
};

class WaylandIdleSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = {qgetenv("XDG_RUNTIME_DIR"), qgetenv("WAYLAND_DISPLAY")};
        qputenv("WAYLAND_DISPLAY", "test-wayland");
    }
    void TearDown() override {
        qputenv("XDG_RUNTIME_DIR", saved_.first);
        qputenv("WAYLAND_DISPLAY", saved_.second);
    }
    QTemporaryDir runtime_;
    std::pair<QByteArray, QByteArray> saved_;
};

TEST_F(WaylandIdleSourceTest, ReportsIdleAndBackAndOutlivesTheCompositor) {
    auto compositor = std::make_unique<FakeCompositor>(runtime_.path(), true);
    auto source = qt::WaylandIdleSource::create();
    ASSERT_TRUE(source);
    PresenceReports heard;
    source->watch(300, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return compositor->notifications == 1; }));
    EXPECT_EQ(compositor->timeout, 300000u);

    compositor->send(FakeCompositor::Idled);
    ASSERT_TRUE(waitUntil([&] { return heard.idle == 1; }));
    compositor->send(FakeCompositor::Resumed);
    ASSERT_TRUE(waitUntil([&] { return heard.active.size() == 1; }));
    EXPECT_GE(heard.active[0], 300);

    source->unwatch();
    ASSERT_TRUE(waitUntil([&] { return compositor->notifications == 0; }));
    source->watch(60, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return compositor->notifications == 1; }));
    // The session ends under a watching source: it stops telling, without crashing.
    compositor.reset();
    ASSERT_TRUE(waitUntil([&] { return !source->isConnected(); }));
    source->watch(60, heard.observer());
    source->unwatch();
    EXPECT_EQ(heard.idle, 1);
}

TEST_F(WaylandIdleSourceTest, NoSourceWithoutTheNotifierOrADisplay) {
    {
        FakeCompositor compositor(runtime_.path(), false);
        EXPECT_FALSE(qt::WaylandIdleSource::create());
    }
    qunsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(qt::WaylandIdleSource::create());
}

} // namespace
} // namespace quillmere::testing
