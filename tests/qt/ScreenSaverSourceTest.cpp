// Idle by asking the screen saver, and its ActiveChanged as a lock, against a fake on a private
// session bus.
#include "platform/qt/linux/ScreenSaverSource.h"
#include "FakeService.h"

#include <gtest/gtest.h>

#include <atomic>

namespace quillmere::testing {
namespace {

using qt::ScreenSaverSource;
const QString Name = QStringLiteral("org.freedesktop.ScreenSaver");

TEST(ScreenSaverSourceTest, AsksOnlyWhenNeededAndReportsIdleBackAndLocks) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    std::atomic<uint> idleMs{5000};
    FakeService saver(bus, Name, [&](const QDBusMessage& call) -> std::optional<QVariantList> {
        if (call.member() == "GetSessionIdleTime") {
            return QVariantList{uint(idleMs)};
        }
        return QVariantList{false};
    });
    QDBusConnection timerBus = bus.connect("timer");
    auto source = ScreenSaverSource::createIdleSource(timerBus);
    ASSERT_TRUE(source);
    ScreenSaverSource watched(timerBus, ScreenSaverSource::freedesktop(),
                              std::chrono::milliseconds(10));

    PresenceReports heard;
    watched.watch(1, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return heard.idle == 1; }));
    // Away: asked every few (here ten) milliseconds until the idle time shows input.
    const auto asked = saver.calls("GetSessionIdleTime").size();
    ASSERT_TRUE(waitUntil([&] { return saver.calls("GetSessionIdleTime").size() > asked + 2; }));
    idleMs = 100;
    ASSERT_TRUE(waitUntil([&] { return heard.active.size() == 1; }));
    // The idle time stood at 5 s ten milliseconds ago; the input came 0.1 s ago.
    EXPECT_NEAR(heard.active[0], 4.9, 0.09);
    // Back: the next question waits until the threshold could be reached (0.9 s from now).
    const auto afterBack = saver.calls("GetSessionIdleTime").size();
    EXPECT_FALSE(waitUntil([&] { return saver.calls("GetSessionIdleTime").size() > afterBack; },
                           std::chrono::milliseconds(300)));

    // Lock and blank come from either path; a screen saver that vanished covers nothing.
    saver.emitSignal("/ScreenSaver", Name, "ActiveChanged", {true});
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 1; }));
    EXPECT_TRUE(watched.isScreenLocked());
    saver.drop();
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 2; }));
    EXPECT_EQ(heard.locks, (std::vector<bool>{true, false}));

    watched.unwatch();
    for (const QString& rule : saver.matchRules(timerBus.baseService())) {
        EXPECT_FALSE(rule.contains(Name)) << rule.toStdString();
    }
    ASSERT_TRUE(saver.own());
    saver.emitSignal("/ScreenSaver", Name, "ActiveChanged", {true});
    ASSERT_TRUE(saver.settle(timerBus));
    EXPECT_EQ(heard.locks.size(), 2u);
}

TEST(ScreenSaverSourceTest, GarbageIsNoIdleSourceAndALockOnTheShortPathCounts) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    // Answers only at the short path, and the idle time as text.
    FakeService saver(bus, Name, [](const QDBusMessage& call) -> std::optional<QVariantList> {
        if (call.path() != "/ScreenSaver") {
            return std::nullopt;
        }
        if (call.member() == "GetActive") {
            return QVariantList{true};
        }
        return QVariantList{QStringLiteral("garbage")};
    });
    QDBusConnection timerBus = bus.connect("timer");
    EXPECT_FALSE(ScreenSaverSource::createIdleSource(timerBus));

    ScreenSaverSource watched(timerBus, ScreenSaverSource::freedesktop(),
                              std::chrono::milliseconds(10));
    PresenceReports heard;
    watched.watch(1, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return heard.locks == std::vector<bool>{true}; }));
    // One unusable answer (after the long path's error), then no more questions.
    ASSERT_TRUE(waitUntil([&] { return saver.calls("GetSessionIdleTime").size() == 3; }));
    EXPECT_FALSE(waitUntil([&] { return saver.calls("GetSessionIdleTime").size() > 3; },
                           std::chrono::milliseconds(100)));
    EXPECT_EQ(heard.idle, 0);
}

} // namespace
} // namespace quillmere::testing
