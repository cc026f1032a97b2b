// Do-not-disturb from the notification server's Inhibited property and GNOME's banners switch,
// and the busy state merged with a full-screen source.
#include "platform/qt/linux/DoNotDisturbWatch.h"
#include "FakeService.h"
#include "platform/qt/linux/DesktopBusyMonitor.h"
#include "platform/sim/SimPresence.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <gtest/gtest.h>

#include <atomic>

namespace quillmere::testing {
namespace {

using State = BusyMonitor::State;
const QString Name = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

void inhibitedChanged(FakeService& server, const QVariant& value) {
    server.emitSignal(Path, QStringLiteral("org.freedesktop.DBus.Properties"), "PropertiesChanged",
                      {Name, QVariantMap{{"Inhibited", value}}, QStringList()});
}

TEST(DoNotDisturbWatchTest, FollowsTheServersInhibitedAndMergesWithFullScreen) {
    qputenv("XDG_CURRENT_DESKTOP", "KDE");
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    std::atomic<bool> inhibited{true};
    FakeService server(bus, Name, [&](const QDBusMessage& call) -> std::optional<QVariantList> {
        if (call.member() == "Get" && call.arguments().value(1) == "Inhibited") {
            return FakeService::property(bool(inhibited));
        }
        return std::nullopt;
    });
    QDBusConnection timerBus = bus.connect("timer");
    sim::SimBusyMonitor* fullScreen = nullptr;
    qt::DesktopBusyMonitor busy(
        {[&] {
             auto x11 = std::make_unique<sim::SimBusyMonitor>();
             x11->setSource("X11");
             fullScreen = x11.get();
             return x11;
         },
         [&] { return std::make_unique<qt::DoNotDisturbWatch>(timerBus); }});
    EXPECT_EQ(busy.source(), "X11, Notifications");

    std::vector<State> heard;
    busy.watch([&](State state) { heard.push_back(state); });
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 1; }));
    fullScreen->setState({true, false});
    inhibitedChanged(server, false);
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 3; }));
    // Garbage and a server that vanished while inhibiting leave nothing inhibited.
    inhibitedChanged(server, QStringLiteral("on"));
    inhibitedChanged(server, true);
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 4; }));
    server.drop();
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 5; }));
    EXPECT_EQ(heard, (std::vector<State>{
                         {false, true}, {true, true}, {true, false}, {true, true}, {true, false}}));

    busy.unwatch();
    for (const QString& rule : server.matchRules(timerBus.baseService())) {
        EXPECT_FALSE(rule.contains(Name)) << rule.toStdString();
    }
}

TEST(DoNotDisturbWatchTest, GnomeBannersOffIsDoNotDisturbAndAMissingSchemaIsNoSource) {
    // GLib reads its schema folders once per process: the missing schema is checked in a
    // process of its own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir empty;
    EXPECT_EXIT(
        {
            qputenv("XDG_DATA_DIRS", empty.path().toLocal8Bit());
            qputenv("GSETTINGS_SCHEMA_DIR", empty.path().toLocal8Bit());
            qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
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
    qputenv("XDG_DATA_DIRS", empty.path().toLocal8Bit());
    qputenv("GSETTINGS_SCHEMA_DIR", schemas.path().toLocal8Bit());
    qputenv("GSETTINGS_BACKEND", "memory");
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");

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

} // namespace
} // namespace quillmere::testing
