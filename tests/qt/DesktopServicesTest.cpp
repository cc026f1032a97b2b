// The desktop's services on a private bus, played by fakes: idle and back from GNOME's idle
// monitor and the screen saver, locks from logind and the screen saver, which idle source a
// desktop gets, do-not-disturb from the notification server, wakes as logind tells them, and
// notifications.
#include "FakeService.h"
#include "platform/qt/linux/DesktopBusyMonitor.h"
#include "platform/qt/linux/DesktopPresence.h"
#include "platform/qt/linux/DoNotDisturbWatch.h"
#include "platform/qt/linux/FreedesktopNotifications.h"
#include "platform/qt/linux/LinuxWakeNotifier.h"
#include "platform/qt/linux/MutterIdleSource.h"
#include "platform/qt/linux/ScreenSaverSource.h"
#include "platform/sim/SimPresence.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QSemaphore>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace quillmere::testing {
namespace {

using namespace std::chrono_literals;
using qt::ScreenSaverSource;
using State = BusyMonitor::State;
const QString Mutter = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString Saver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString Session = QStringLiteral("org.freedesktop.login1.Session");

// The screen saver, answering every call with false or a zero idle time.
std::optional<QVariantList> screenSaver(const QDBusMessage& call) {
    return call.member() == "GetSessionIdleTime" ? QVariantList{uint(0)} : QVariantList{false};
}

// One bus for the session and the system: the timer's connection to it, and what it heard.
class OnBus : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        qunsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override { qputenv("WAYLAND_DISPLAY", saved_); }
    std::unique_ptr<qt::DesktopPresence> presence(bool x11Answers = false) {
        return qt::DesktopPresence::forThisDesktop(
            [this] { return timerBus; }, [this] { return timerBus; },
            [x11Answers]() -> std::unique_ptr<Presence> {
                auto x11 = std::make_unique<sim::SimPresence>();
                x11->setSource("X11");
                return x11Answers ? std::move(x11) : nullptr;
            });
    }

    QByteArray saved_ = qgetenv("WAYLAND_DISPLAY");
    PrivateBus bus;
    QDBusConnection timerBus = bus.connect("timer");
    PresenceReports heard;
};

TEST_F(OnBus, GnomesMonitorTellsIdleAndBackAcrossRestarts) {
    std::atomic<uint> lastId{0};
    FakeService mutter(bus, Mutter, [&](const QDBusMessage& call) {
        return call.member().startsWith("Add") ? QVariantList{++lastId} : QVariantList{};
    });
    const auto fire = [&](uint id) {
        mutter.emitSignal("/org/gnome/Mutter/IdleMonitor/Core", Mutter, "WatchFired", {id},
                          timerBus.baseService());
    };
    const auto thresholdAsked = [&](int watches) {
        EXPECT_TRUE(waitUntil([&] { return mutter.calls("AddIdleWatch").size() == watches; }));
        return mutter.calls("AddIdleWatch").constLast().arguments().value(0).toULongLong();
    };
    auto source = qt::MutterIdleSource::create(timerBus);
    ASSERT_TRUE(source);
    source->watch(300, heard.observer());
    EXPECT_EQ(thresholdAsked(1), 300000u);
    // Another client's watch is no news; ours is fired until heard (Qt may not know the
    // monitor's owner yet under load), as a repeat of a watch that fired changes nothing.
    fire(77);
    ASSERT_TRUE(waitUntil([&] {
        fire(1);
        return mutter.calls("AddUserActiveWatch").size() == 1;
    }));
    ASSERT_TRUE(waitUntil([&] {
        fire(2);
        return heard.active.size() == 1;
    }));
    EXPECT_EQ(heard.idle, 1);
    EXPECT_TRUE(heard.active[0] >= 300 && heard.active[0] < 310) << heard.active[0];
    // A restarted monitor knows no watches: the idle watch is added again.
    mutter.drop();
    ASSERT_TRUE(mutter.own());
    EXPECT_EQ(thresholdAsked(2), 300000u);
    source->unwatch();
    // Not a number: the longest threshold rather than a conversion without meaning.
    source->watch(std::nan(""), heard.observer());
    EXPECT_EQ(thresholdAsked(3), 86400000u);
}

TEST_F(OnBus, TheScreenSaverTellsIdleAndBackAndCoversNothingOnceGone) {
    std::atomic<uint> idleMs{5000};
    std::atomic<bool> garbage{false};
    // Answers the idle time and "not active"; or, turned to garbage, the idle time as text.
    FakeService saver(bus, Saver, [&](const QDBusMessage& call) {
        if (call.member() == "GetSessionIdleTime") {
            return garbage ? QVariantList{QStringLiteral("x")} : QVariantList{uint(idleMs)};
        }
        return QVariantList{bool(garbage)};
    });
    EXPECT_TRUE(ScreenSaverSource::createIdleSource(timerBus));
    ScreenSaverSource watched(timerBus, ScreenSaverSource::freedesktop(), 10ms);
    watched.watch(1, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return heard.idle == 1; }));
    // Away: asked every few (here ten) milliseconds until the idle time shows input, which
    // came 0.1 s ago when it stood at 5 s ten milliseconds ago.
    idleMs = 100;
    ASSERT_TRUE(waitUntil([&] { return heard.active.size() == 1; }));
    EXPECT_NEAR(heard.active[0], 4.9, 0.09);
    // A lock; a screen saver that vanished covers nothing.
    saver.emitSignal("/ScreenSaver", Saver, "ActiveChanged", {true});
    saver.drop();
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 2; }));
    EXPECT_EQ(heard.locks, (std::vector<bool>{true, false}));
    watched.unwatch();

    // Garbage is no idle source.
    garbage = true;
    EXPECT_FALSE(ScreenSaverSource::createIdleSource(timerBus));
}

TEST_F(OnBus, PrefersTheCompositorThenX11ThenTheScreenSaver) {
    auto later = presence();
    EXPECT_EQ(later->source(), "");
    FakeService saver(bus, Saver, screenSaver);
    EXPECT_EQ(presence()->source(), "ScreenSaver");
    EXPECT_EQ(presence(true)->source(), "X11");
    // Inside a Wayland session the X server is Xwayland, which sees only part of the input.
    qputenv("WAYLAND_DISPLAY", "no-such-compositor");
    EXPECT_EQ(presence(true)->source(), "ScreenSaver");
    qunsetenv("WAYLAND_DISPLAY");
    FakeService mutter(bus, Mutter, [](const QDBusMessage&) { return QVariantList{uint(1)}; });
    EXPECT_EQ(presence(true)->source(), "GNOME");
    // A desktop where nothing answered looks again when asked again.
    EXPECT_EQ(later->source(), "GNOME");
}

TEST_F(OnBus, LogindAndTheScreenSaverTellLocksAndWakesAcrossRestartsAndWithoutLogindTheClocks) {
    const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/c1");
    std::atomic<bool> lockedHint{false};
    // One connection plays logind and the screen saver, so their signals keep their order.
    // This process's session is found through the id of logind's "auto" alias.
    FakeService desktop(bus, "org.freedesktop.login1", [&](const QDBusMessage& call) {
        const QVariant property = call.arguments().value(1);
        if (call.member() == "GetSession") {
            return QVariantList{QVariant::fromValue(QDBusObjectPath(sessionPath))};
        }
        if (call.path().endsWith("/auto") && property == "Id") {
            return FakeService::property("c1");
        }
        return property == "LockedHint" ? FakeService::property(bool(lockedHint))
                                        : *screenSaver(call);
    });
    ASSERT_TRUE(desktop.alsoOwn(Saver));
    FakeService impostor(bus, "org.example.Impostor", screenSaver);
    const auto prepareForSleep = [](FakeService& sender, bool start) {
        sender.emitSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                          "PrepareForSleep", {start});
    };
    desktop.drop();
    std::chrono::nanoseconds slept{0};
    qt::LinuxWakeNotifier notifier(timerBus, [&] { return slept; });
    int wakes = 0;
    notifier.addWakeObserver("didWakeFromSleep", [&] { ++wakes; });
    EXPECT_TRUE(notifier.checksClocks()) << "a system bus without logind";
    ASSERT_TRUE(desktop.own());
    ASSERT_TRUE(waitUntil([&] { return notifier.usesLogind() && !notifier.checksClocks(); }));

    auto presence = this->presence();
    presence->watch(60, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return desktop.calls("Get").size() == 2; }));
    desktop.emitSignal("/org/freedesktop/ScreenSaver", Saver, "ActiveChanged", {true});
    desktop.emitSignal(sessionPath, Session, "Lock", {});
    desktop.emitSignal("/org/freedesktop/ScreenSaver", Saver, "ActiveChanged", {false});
    // Not a Boolean, not logind: neither unlocks, nor does a stranger's resume wake; going to
    // sleep is no wake either.
    desktop.emitSignal(sessionPath, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                       {Session, QVariantMap{{"LockedHint", "no"}}, QStringList()});
    impostor.emitSignal(sessionPath, Session, "Unlock", {});
    prepareForSleep(impostor, false);
    prepareForSleep(desktop, true);
    ASSERT_TRUE(impostor.settle(timerBus) && desktop.settle(timerBus));
    EXPECT_TRUE(presence->isScreenLocked());
    EXPECT_EQ(wakes, 0);
    desktop.emitSignal(sessionPath, Session, "Unlock", {});
    prepareForSleep(desktop, false);
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 2 && wakes == 1; }));

    // Logind gone (restarting, or stopped): the clocks tell again, from where they are now.
    lockedHint = true;
    slept += 40s;
    desktop.drop();
    ASSERT_TRUE(waitUntil([&] { return !notifier.usesLogind() && notifier.checksClocks(); }));
    EXPECT_FALSE(notifier.checkClocks());
    slept += 40s;
    EXPECT_TRUE(notifier.checkClocks());
    EXPECT_EQ(wakes, 2);
    // A restarted logind is asked again, and still knows the screen is locked.
    ASSERT_TRUE(desktop.own());
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 3; }));
    EXPECT_EQ(heard.locks, (std::vector<bool>{true, false, true}));
    // Without any system bus at all, too.
    qt::LinuxWakeNotifier busless(QDBusConnection(QStringLiteral("none")), [&] { return slept; });
    slept += 40s;
    EXPECT_TRUE(!busless.usesLogind() && busless.checkClocks());
}

TEST_F(OnBus, DoNotDisturbFollowsTheServersInhibitedAndMergesWithFullScreen) {
    qputenv("XDG_CURRENT_DESKTOP", "KDE");
    const QString name = QStringLiteral("org.freedesktop.Notifications");
    FakeService server(bus, name, [](auto&) { return FakeService::property(true); });
    const auto inhibitedChanged = [&](const QVariant& value) {
        server.emitSignal("/org/freedesktop/Notifications", "org.freedesktop.DBus.Properties",
                          "PropertiesChanged",
                          {name, QVariantMap{{"Inhibited", value}}, QStringList()});
    };
    auto x11 = std::make_unique<sim::SimBusyMonitor>();
    sim::SimBusyMonitor& fullScreen = *x11;
    x11->setSource("X11");
    qt::DesktopBusyMonitor busy(
        {[&] { return std::move(x11); },
         [&] { return std::make_unique<qt::DoNotDisturbWatch>(timerBus); }});
    EXPECT_EQ(busy.source(), "X11, Notifications");
    std::vector<State> told;
    busy.watch([&](State state) { told.push_back(state); });
    ASSERT_TRUE(waitUntil([&] { return told.size() == 1; }));
    fullScreen.setState({true, false});
    inhibitedChanged(false);
    // Garbage and a server that vanished while inhibiting leave nothing inhibited.
    inhibitedChanged(QStringLiteral("on"));
    inhibitedChanged(true);
    ASSERT_TRUE(waitUntil([&] { return told.size() == 4; }));
    server.drop();
    ASSERT_TRUE(waitUntil([&] { return told.size() == 5; }));
    EXPECT_EQ(told, (std::vector<State>{
                        {false, true}, {true, true}, {true, false}, {true, true}, {true, false}}));
    busy.unwatch();
    qunsetenv("XDG_CURRENT_DESKTOP");
}

TEST(DoNotDisturbWatchTest, AMissingGnomeSchemaIsNoSourceAndNoAbort) {
    // GSettings aborts on a missing schema, and GLib reads its schema folders once per process:
    // the missing schema is checked in a process of its own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir empty;
    EXPECT_EXIT(
        {
            qputenv("XDG_DATA_DIRS", empty.path().toLocal8Bit());
            qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
            qputenv("GSETTINGS_SCHEMA_DIR", empty.path().toLocal8Bit());
            qt::DoNotDisturbWatch watch(QDBusConnection(QStringLiteral("none")));
            watch.watch([](State) {});
            std::exit(watch.source().empty() && !watch.state().doNotDisturb ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

const QString Name = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

TEST_F(OnBus, NotificationsReplaceAndHearOnlyTheirOwnServer) {
    qt::FreedesktopNotifications notifications([&] { return timerBus; });
    std::vector<std::string> chosen; // the actions chosen, and "closed"
    const auto show = [&](qt::FreedesktopNotifications& on) {
        on.show("Quillmere Timer", "Look around.", {{"restart", "Restart"}, {"snooze", "Snooze"}},
                {[&](const std::string& key) { chosen.push_back(key); },
                 [&] { chosen.push_back("closed"); }});
    };
    const auto nothingPending = [&] {
        return waitUntil(
            [&] { return notifications.findChildren<QDBusPendingCallWatcher*>().isEmpty(); });
    };
    // No server, or no bus at all: nothing shows, nothing waits.
    show(notifications);
    EXPECT_TRUE(nothingPending());
    qt::FreedesktopNotifications noBus([] { return QDBusConnection(QStringLiteral("none")); });
    show(noBus);
    EXPECT_TRUE(noBus.findChildren<QDBusPendingCallWatcher*>().isEmpty());

    std::atomic<bool> actions{true};
    std::atomic<uint> nextId{7};
    std::atomic<bool> holding{false}, held{false}; // the answer to Notify waits for `letGo`
    QSemaphore letGo;
    FakeService server(bus, Name, [&](const QDBusMessage& call) -> std::optional<QVariantList> {
        if (call.member() == "GetCapabilities") {
            return QVariantList{actions ? QStringList{"body", "actions"} : QStringList{"body"}};
        }
        if (call.member() == "Notify" && holding) {
            held = true;
            letGo.acquire();
        }
        return QVariantList{QVariant::fromValue(uint(nextId))};
    });
    const auto notify = [&](qsizetype count) {
        show(notifications);
        EXPECT_TRUE(waitUntil([&] { return server.calls("Notify").size() == count; }));
        EXPECT_TRUE(nothingPending());
        return server.calls("Notify").back().arguments();
    };
    const QVariantList first = notify(1);
    EXPECT_EQ(server.calls("Notify")[0].signature(), "susssasa{sv}i");
    EXPECT_EQ(first[5].toStringList(), (QStringList{"restart", "Restart", "snooze", "Snooze"}));
    const QVariant urgency = qdbus_cast<QVariantMap>(first[6]).value("urgency");
    EXPECT_EQ(urgency, QVariant::fromValue(uchar(1)));
    EXPECT_EQ(urgency.metaType(), QMetaType::fromType<uchar>()); // a byte

    // Only the server that showed it speaks for it, and only of the one on screen.
    QDBusConnection other = bus.connect("other");
    other.send(QDBusMessage::createSignal(Path, Name, "ActionInvoked") << 7u << "restart");
    server.emitSignal(Path, Name, "ActionInvoked", {8u, "restart"});
    server.emitSignal(Path, Name, "ActionInvoked", {7u, "snooze"});
    ASSERT_TRUE(waitUntil([&] { return !chosen.empty(); }));

    // The next replaces it, plain where the server has no buttons; once closed, the next after
    // that stands alone.
    actions = false;
    nextId = 9;
    const QVariantList second = notify(2);
    EXPECT_EQ(second[1], 7u);
    EXPECT_TRUE(second[5].toStringList().isEmpty());
    server.emitSignal(Path, Name, "NotificationClosed", {9u, 2u});
    ASSERT_TRUE(waitUntil([&] { return chosen.size() == 2; }));
    EXPECT_EQ(notify(3)[1], 0u);

    // Closed by the program, also while its request is on its way: the server is told.
    notifications.close();
    holding = true;
    nextId = 11;
    show(notifications);
    ASSERT_TRUE(waitUntil([&] { return bool(held); }));
    notifications.close();
    letGo.release();
    ASSERT_TRUE(waitUntil([&] { return server.calls("CloseNotification").size() == 2; }));
    EXPECT_EQ(server.calls("CloseNotification")[0].arguments(), QVariantList{9u});
    EXPECT_EQ(server.calls("CloseNotification")[1].arguments(), QVariantList{11u});
    EXPECT_EQ(chosen, (std::vector<std::string>{"snooze", "closed"}));
}

} // namespace
} // namespace quillmere::testing
