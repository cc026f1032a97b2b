// Idle and back from GNOME's idle monitor, played by a fake on a private session bus.
#include "platform/qt/linux/MutterIdleSource.h"
#include "FakeService.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace quillmere::testing {
namespace {

const QString Name = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString Path = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");

// Answers like the monitor: every added watch gets a new id.
FakeService::Answer monitor(std::atomic<uint>& lastId) {
    return [&lastId](const QDBusMessage& call) -> std::optional<QVariantList> {
        if (call.member().startsWith(QStringLiteral("Add"))) {
            return QVariantList{++lastId};
        }
        return QVariantList{};
    };
}

TEST(MutterIdleSourceTest, ReportsIdleAndBackFollowsRestartsAndLeavesNothingBehind) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    std::atomic<uint> lastId{0};
    FakeService mutter(bus, Name, monitor(lastId));
    QDBusConnection timerBus = bus.connect("timer");
    auto source = qt::MutterIdleSource::create(timerBus);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->source(), "GNOME");

    PresenceReports heard;
    source->watch(300, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return mutter.calls("AddIdleWatch").size() == 1; }));
    EXPECT_EQ(mutter.calls("AddIdleWatch")[0].arguments().value(0).toULongLong(), 300000u);

    // A watch of another client firing tells nothing.
    mutter.emitSignal(Path, Name, "WatchFired", {uint(77)}, timerBus.baseService());
    mutter.emitSignal(Path, Name, "WatchFired", {uint(1)}, timerBus.baseService());
    ASSERT_TRUE(waitUntil([&] { return heard.idle == 1; }));
    ASSERT_TRUE(waitUntil([&] { return mutter.calls("AddUserActiveWatch").size() == 1; }));
    mutter.emitSignal(Path, Name, "WatchFired", {uint(2)}, timerBus.baseService());
    ASSERT_TRUE(waitUntil([&] { return heard.active.size() == 1; }));
    EXPECT_GE(heard.active[0], 300);
    EXPECT_LT(heard.active[0], 310);

    // A restarted monitor knows no watches: the idle watch is added again.
    mutter.drop();
    ASSERT_TRUE(mutter.own());
    ASSERT_TRUE(waitUntil([&] { return mutter.calls("AddIdleWatch").size() == 2; }));

    source->unwatch();
    ASSERT_TRUE(waitUntil([&] { return mutter.calls("RemoveWatch").size() == 1; }));
    EXPECT_EQ(mutter.calls("RemoveWatch")[0].arguments().value(0).toUInt(), 3u);
    for (const QString& rule : mutter.matchRules(timerBus.baseService())) {
        EXPECT_FALSE(rule.contains(Name)) << rule.toStdString();
    }
    mutter.emitSignal(Path, Name, "WatchFired", {uint(3)}, timerBus.baseService());
    ASSERT_TRUE(mutter.settle(timerBus));
    EXPECT_EQ(heard.idle, 1);
}

TEST(MutterIdleSourceTest, SurvivesGarbageAndAnUnusableThreshold) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    // Watch ids of the wrong type.
    FakeService mutter(bus, Name, [](const QDBusMessage&) -> std::optional<QVariantList> {
        return QVariantList{QStringLiteral("garbage")};
    });
    QDBusConnection timerBus = bus.connect("timer");
    qt::MutterIdleSource source(timerBus);
    PresenceReports heard;
    // Not a number: the longest threshold rather than a conversion without meaning.
    source.watch(std::nan(""), heard.observer());
    ASSERT_TRUE(waitUntil([&] { return mutter.calls("AddIdleWatch").size() == 1; }));
    EXPECT_EQ(mutter.calls("AddIdleWatch")[0].arguments().value(0).toULongLong(), 86400000u);
    mutter.emitSignal(Path, Name, "WatchFired", {uint(0)}, timerBus.baseService());
    mutter.emitSignal(Path, Name, "WatchFired", {QStringLiteral("x")}, timerBus.baseService());
    ASSERT_TRUE(mutter.settle(timerBus));
    mutter.drop();
    EXPECT_EQ(heard.idle, 0);
    source.watch(-5, heard.observer());
    ASSERT_TRUE(mutter.own());
    ASSERT_TRUE(waitUntil([&] { return mutter.calls("AddIdleWatch").size() >= 2; }));
    EXPECT_EQ(mutter.calls("AddIdleWatch").back().arguments().value(0).toULongLong(), 1000u);
}

} // namespace
} // namespace quillmere::testing
