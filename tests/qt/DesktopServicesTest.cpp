// The desktop's services on a private bus, played by fakes: idle and back from GNOME's idle
// monitor and from asking the screen saver, locks from logind's session and the screen saver,
// which idle source a desktop gets by what answers, do-not-disturb from the notification
// server (and GNOME's banners switch), and waking from sleep as logind tells it.
#include "FakeService.h"
#include "platform/qt/linux/DesktopBusyMonitor.h"
#include "platform/qt/linux/DesktopPresence.h"
#include "platform/qt/linux/DoNotDisturbWatch.h"
#include "platform/qt/linux/LinuxWakeNotifier.h"
#include "platform/qt/linux/MutterIdleSource.h"
#include "platform/qt/linux/ScreenSaverSource.h"
#include "platform/sim/SimPresence.h"

#include <QDBusObjectPath>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace quillmere::testing {
namespace {

using namespace std::chrono_literals;
using qt::DesktopPresence;
using qt::ScreenSaverSource;
using State = BusyMonitor::State;
const QString Mutter = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString Saver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString Notifications = QStringLiteral("org.freedesktop.Notifications");

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
    void TearDown() override {
        qputenv("WAYLAND_DISPLAY", saved_);
        qunsetenv("XDG_CURRENT_DESKTOP");
    }
    std::unique_ptr<DesktopPresence> presence(bool x11Answers = false) {
        return DesktopPresence::forThisDesktop([this] { return timerBus; },
                                               [this] { return timerBus; },
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

TEST_F(OnBus, GnomesMonitorTellsIdleAndBackAcrossRestartsAndLeavesNothingBehind) {
    std::atomic<uint> lastId{0};
    // Every added watch gets a new id, as from the monitor.
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
    // Another client's watch; then ours, again until heard (Qt may not know the monitor's
    // owner yet under load), as a repeat of a watch that fired already changes nothing.
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
    ASSERT_TRUE(waitUntil([&] { return mutter.calls("RemoveWatch").size() == 1; }));
    EXPECT_EQ(mutter.calls("RemoveWatch")[0].arguments().value(0).toUInt(), 3u);
    EXPECT_FALSE(mutter.isWatchedBy(timerBus));
    // Not a number: the longest threshold rather than a conversion without meaning.
    source->watch(std::nan(""), heard.observer());
    EXPECT_EQ(thresholdAsked(3), 86400000u);
}

TEST_F(OnBus, TheScreenSaverIsAskedOnlyWhenNeededAndNotAfterGarbage) {
    std::atomic<uint> idleMs{5000};
    std::atomic<bool> garbage{false};
    // Answers the idle time and "not active"; or, turned to garbage, only at the short path,
    // "active" and the idle time as text.
    FakeService saver(bus, Saver, [&](const QDBusMessage& call) -> std::optional<QVariantList> {
        if (garbage && call.path() != "/ScreenSaver") {
            return std::nullopt;
        }
        if (call.member() == "GetSessionIdleTime") {
            return garbage ? QVariantList{QStringLiteral("x")} : QVariantList{uint(idleMs)};
        }
        return QVariantList{bool(garbage)};
    });
    const auto questions = [&] { return saver.calls("GetSessionIdleTime").size(); };
    EXPECT_TRUE(ScreenSaverSource::createIdleSource(timerBus));
    ScreenSaverSource watched(timerBus, ScreenSaverSource::freedesktop(),
                              std::chrono::milliseconds(10));
    watched.watch(1, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return heard.idle == 1; }));
    // Away: asked every few (here ten) milliseconds until the idle time shows input.
    const auto asked = questions();
    ASSERT_TRUE(waitUntil([&] { return questions() > asked + 2; }));
    idleMs = 100;
    ASSERT_TRUE(waitUntil([&] { return heard.active.size() == 1; }));
    // The idle time stood at 5 s ten milliseconds ago; the input came 0.1 s ago.
    EXPECT_NEAR(heard.active[0], 4.9, 0.09);
    // Back: the next question waits until the threshold could be reached (0.9 s from now).
    const auto afterBack = questions();
    EXPECT_FALSE(
        waitUntil([&] { return questions() > afterBack; }, std::chrono::milliseconds(300)));

    // A lock; a screen saver that vanished covers nothing.
    saver.emitSignal("/ScreenSaver", Saver, "ActiveChanged", {true});
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 1; }));
    saver.drop();
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 2; }));
    watched.unwatch();
    EXPECT_FALSE(saver.isWatchedBy(timerBus));
    ASSERT_TRUE(saver.own());
    saver.emitSignal("/ScreenSaver", Saver, "ActiveChanged", {true});
    ASSERT_TRUE(saver.settle(timerBus));
    EXPECT_EQ(heard.locks, (std::vector<bool>{true, false}));

    // Garbage is no idle source; a lock read at the short path counts; after one unusable idle
    // time (and the long path's error) it asks no more.
    garbage = true;
    EXPECT_FALSE(ScreenSaverSource::createIdleSource(timerBus));
    const auto before = questions();
    watched.watch(1, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 3 && questions() == before + 2; }));
    EXPECT_TRUE(heard.locks.back());
    EXPECT_FALSE(
        waitUntil([&] { return questions() > before + 2; }, std::chrono::milliseconds(100)));
    EXPECT_EQ(heard.idle, 1);
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

TEST_F(OnBus, LockedWhileLogindOrTheScreenSaverSaysSoAcrossRestarts) {
    const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/c1");
    const QString session = QStringLiteral("org.freedesktop.login1.Session");
    std::atomic<bool> lockedHint{false};
    // One connection plays logind and the screen saver, so their signals keep their order.
    // This process's session is found through the id of logind's "auto" alias.
    FakeService desktop(
        bus, "org.freedesktop.login1",
        [&](const QDBusMessage& call) -> std::optional<QVariantList> {
            const QVariant property = call.arguments().value(1);
            if (call.member() == "GetSession" && call.arguments().value(0) == "c1") {
                return QVariantList{QVariant::fromValue(QDBusObjectPath(sessionPath))};
            }
            if (call.path().endsWith("/auto") && property == "Id") {
                return FakeService::property("c1");
            }
            if (call.path() == sessionPath && property == "LockedHint") {
                return FakeService::property(bool(lockedHint));
            }
            return screenSaver(call);
        });
    ASSERT_TRUE(desktop.alsoOwn(Saver));
    FakeService impostor(bus, "org.example.Impostor", screenSaver);
    const auto hint = [&](const QVariant& value) {
        desktop.emitSignal(sessionPath, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                           {session, QVariantMap{{"LockedHint", value}}, QStringList()});
    };
    auto presence = this->presence();
    presence->watch(60, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return desktop.calls("Get").size() == 2; }));

    desktop.emitSignal("/org/freedesktop/ScreenSaver", Saver, "ActiveChanged", {true});
    desktop.emitSignal(sessionPath, session, "Lock", {});
    desktop.emitSignal("/org/freedesktop/ScreenSaver", Saver, "ActiveChanged", {false});
    // Not a Boolean, another session, not logind: none of them unlocks.
    hint("no");
    desktop.emitSignal("/org/freedesktop/login1/session/c2", session, "Unlock", {});
    impostor.emitSignal(sessionPath, session, "Unlock", {});
    ASSERT_TRUE(impostor.settle(timerBus) && desktop.settle(timerBus));
    EXPECT_TRUE(presence->isScreenLocked());
    desktop.emitSignal(sessionPath, session, "Unlock", {});
    hint(true);
    hint(false);
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 4; }));

    // A restarted logind is asked again, and still knows the screen is locked.
    lockedHint = true;
    desktop.drop();
    ASSERT_TRUE(desktop.own());
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 5; }));
    EXPECT_EQ(heard.locks, (std::vector<bool>{true, false, true, false, true}));
    presence->unwatch();
    EXPECT_FALSE(desktop.isWatchedBy(timerBus));
}

TEST_F(OnBus, DoNotDisturbFollowsTheServersInhibitedAndMergesWithFullScreen) {
    qputenv("XDG_CURRENT_DESKTOP", "KDE");
    // Inhibited, whenever asked.
    FakeService server(bus, Notifications, [](auto&) { return FakeService::property(true); });
    const auto inhibitedChanged = [&](const QVariant& value) {
        server.emitSignal("/org/freedesktop/Notifications", "org.freedesktop.DBus.Properties",
                          "PropertiesChanged",
                          {Notifications, QVariantMap{{"Inhibited", value}}, QStringList()});
    };
    auto x11 = std::make_unique<sim::SimBusyMonitor>();
    sim::SimBusyMonitor& fullScreen = *x11;
    x11->setSource("X11");
    qt::DesktopBusyMonitor busy(
        {[&] { return std::move(x11); },
         [&] { return std::make_unique<qt::DoNotDisturbWatch>(timerBus); }});
    EXPECT_EQ(busy.source(), "X11, Notifications");

    std::vector<State> heard;
    busy.watch([&](State state) { heard.push_back(state); });
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 1; }));
    fullScreen.setState({true, false});
    inhibitedChanged(false);
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 3; }));
    // Garbage and a server that vanished while inhibiting leave nothing inhibited.
    inhibitedChanged(QStringLiteral("on"));
    inhibitedChanged(true);
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 4; }));
    server.drop();
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 5; }));
    EXPECT_EQ(heard, (std::vector<State>{
                         {false, true}, {true, true}, {true, false}, {true, true}, {true, false}}));
    busy.unwatch();
    EXPECT_FALSE(server.isWatchedBy(timerBus));
}

TEST(DoNotDisturbWatchTest, GnomeBannersOffIsDoNotDisturbAndAMissingSchemaIsNoSource) {
    // GSettings aborts on a missing schema, and GLib reads its schema folders once per process:
    // the missing schema is checked in a process of its own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir empty;
    qputenv("XDG_DATA_DIRS", empty.path().toLocal8Bit());
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    EXPECT_EXIT(
        {
            qputenv("GSETTINGS_SCHEMA_DIR", empty.path().toLocal8Bit());
            qt::DoNotDisturbWatch watch(QDBusConnection(QStringLiteral("none")));
            watch.watch([](State) {});
            std::exit(watch.source().empty() && !watch.state().doNotDisturb ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");

    QTemporaryDir schemas;
    QFile schema(schemas.filePath("test.gschema.xml"));
    ASSERT_TRUE(schema.open(QIODevice::WriteOnly));
    schema.write("<schemalist><schema id='org.gnome.desktop.notifications' "
                 "path='/org/gnome/desktop/notifications/'><key name='show-banners' type='b'>"
                 "<default>true</default></key></schema></schemalist>");
    schema.close();
    if (QProcess::execute("glib-compile-schemas", {schemas.path()}) != 0) {
        GTEST_SKIP() << "glib-compile-schemas is missing";
    }
    qputenv("GSETTINGS_SCHEMA_DIR", schemas.path().toLocal8Bit());
    qputenv("GSETTINGS_BACKEND", "memory");
    qt::DoNotDisturbWatch watch(QDBusConnection(QStringLiteral("none")));
    EXPECT_EQ(watch.source(), "GNOME");
    std::vector<State> heard;
    watch.watch([&](State state) { heard.push_back(state); });
    GSettings* settings = g_settings_new("org.gnome.desktop.notifications");
    g_settings_set_boolean(settings, "show-banners", FALSE);
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 1; }));
    g_settings_set_boolean(settings, "show-banners", TRUE);
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 2; }));
    EXPECT_EQ(heard, (std::vector<State>{{false, true}, {false, false}}));
    watch.unwatch();
    g_object_unref(settings);
}

TEST_F(OnBus, LogindsResumeIsAWakeAndWithoutLogindTheClocksTell) {
    FakeService logind(bus, "org.freedesktop.login1", screenSaver);
    FakeService impostor(bus, "org.example.Impostor", screenSaver);
    const auto prepareForSleep = [](FakeService& sender, bool start) {
        sender.emitSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                          "PrepareForSleep", {start});
    };
    logind.drop();
    std::chrono::nanoseconds slept{0};
    qt::LinuxWakeNotifier notifier(timerBus, [&] { return slept; });
    int wakes = 0;
    notifier.addWakeObserver("didWakeFromSleep", [&] { ++wakes; });
    EXPECT_TRUE(notifier.checksClocks()) << "a system bus without logind";
    ASSERT_TRUE(logind.own());
    ASSERT_TRUE(waitUntil([&] { return notifier.usesLogind() && !notifier.checksClocks(); }));
    // Going to sleep, or someone else saying it woke: no wake.
    prepareForSleep(logind, true);
    prepareForSleep(impostor, false);
    ASSERT_TRUE(logind.settle(timerBus) && impostor.settle(timerBus));
    EXPECT_EQ(wakes, 0);
    prepareForSleep(logind, false);
    ASSERT_TRUE(waitUntil([&] { return wakes == 1; }));

    // Logind gone (restarting, or stopped): the clocks tell again, from where they are now.
    slept += 40s;
    logind.drop();
    ASSERT_TRUE(waitUntil([&] { return !notifier.usesLogind() && notifier.checksClocks(); }));
    EXPECT_FALSE(notifier.checkClocks());
    slept += 40s;
    EXPECT_TRUE(notifier.checkClocks());
    EXPECT_EQ(wakes, 2);
}

} // namespace
} // namespace quillmere::testing
