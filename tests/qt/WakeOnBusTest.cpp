// Waking from sleep as a Linux desktop tells it: logind's PrepareForSleep(false) on the system bus.
#include "PrivateBus.h"
#include "core/App.h"
#include "platform/qt/linux/LinuxWakeNotifier.h"
#include "platform/sim/SimPlatform.h"

#include <QDBusMessage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillmere::testing {
namespace {

// The simulated desktop, but told of wakes by the real notifier listening on a bus of its own.
class LogindPlatform : public sim::SimPlatform {
public:
    LogindPlatform(const QString& folder, QDBusConnection systemBus)
        : SimPlatform(folder.toStdString())
        , notifier_(systemBus) {}
    WakeNotifier& wakeNotifier() override { return notifier_; }
    qt::LinuxWakeNotifier& notifier() { return notifier_; }

private:
    qt::LinuxWakeNotifier notifier_;
};

void prepareForSleep(QDBusConnection& logind, bool start) {
    QDBusMessage signal = QDBusMessage::createSignal(
        "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep");
    signal << start;
    logind.send(signal);
}

TEST(WakeOnBusTest, LogindResumeRestartsTheIntervalOncePerSleep) {
    PrivateBus systemBus;
    ASSERT_TRUE(systemBus.isRunning());
    QDBusConnection logind = systemBus.connect("logind");
    // The notifier only hears the sender that owns logind's name.
    ASSERT_TRUE(logind.registerService("org.freedesktop.login1"));
    QTemporaryDir folder;
    LogindPlatform platform(folder.path(), systemBus.connect("timer"));
    ASSERT_TRUE(waitUntil([&] { return platform.notifier().usesLogind(); }));
    EXPECT_FALSE(platform.notifier().checksClocks());

    platform.store().setString(Cfg::VersionKey, "0.9");
    platform.store().setBool(Cfg::RestartOnWakeKey, true);
    App controller(false, platform);
    int restarts = 0;
    controller.events().subscribe(Events::AppStateChangeSubscriber(
        [&](AppState, AppState to) { restarts += to == AppState::Timing ? 1 : 0; }));
    controller.applicationDidFinishLaunching();
    ASSERT_EQ(restarts, 1);
    platform.loop().advanceSeconds(300);

    prepareForSleep(logind, true); // going to sleep: nothing yet
    EXPECT_FALSE(waitUntil([&] { return restarts > 1; }, std::chrono::milliseconds(200)));
    prepareForSleep(logind, false);
    EXPECT_TRUE(waitUntil([&] { return restarts == 2; }));
    EXPECT_DOUBLE_EQ(controller.countdown(), 600);

    // Someone else on the bus saying the same is not logind.
    QDBusConnection impostor = systemBus.connect("impostor");
    QDBusMessage signal = QDBusMessage::createSignal(
        "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep");
    signal << false;
    impostor.send(signal);
    EXPECT_FALSE(waitUntil([&] { return restarts > 2; }, std::chrono::milliseconds(200)));
}

TEST(WakeOnBusTest, WithoutLogindOnTheBusTheClocksTellAndLogindIsFollowed) {
    PrivateBus systemBus;
    ASSERT_TRUE(systemBus.isRunning());
    std::chrono::nanoseconds slept{0};
    qt::LinuxWakeNotifier notifier(systemBus.connect("timer"), [&] { return slept; });
    int wakes = 0;
    notifier.addWakeObserver("didWakeFromSleep", [&] { ++wakes; });
    // A system bus that nobody owns logind's name on: the clocks tell (whatever the bus answers).
    QDBusConnection logind = systemBus.connect("logind");
    EXPECT_FALSE(notifier.usesLogind());
    EXPECT_TRUE(notifier.checksClocks());

    ASSERT_TRUE(logind.registerService("org.freedesktop.login1"));
    ASSERT_TRUE(waitUntil([&] { return notifier.usesLogind() && !notifier.checksClocks(); }));
    prepareForSleep(logind, false);
    EXPECT_TRUE(waitUntil([&] { return wakes == 1; }));

    // Logind gone (restarting, or stopped): the clocks tell again, from where they are now.
    slept += std::chrono::seconds(40);
    ASSERT_TRUE(logind.unregisterService("org.freedesktop.login1"));
    ASSERT_TRUE(waitUntil([&] { return !notifier.usesLogind() && notifier.checksClocks(); }));
    EXPECT_FALSE(notifier.checkClocks());
    slept += std::chrono::seconds(40);
    EXPECT_TRUE(notifier.checkClocks());
    EXPECT_EQ(wakes, 2);
}

} // namespace
} // namespace quillmere::testing
