// Which idle source a desktop gets, by what answers on its buses, and locks merged from logind
// and the screen saver.
#include "platform/qt/linux/DesktopPresence.h"
#include "FakeService.h"
#include "platform/sim/SimPresence.h"

#include <QDBusObjectPath>

#include <gtest/gtest.h>

namespace quillmere::testing {
namespace {

using qt::DesktopPresence;

// The screen saver, answering every call with false or a zero idle time.
std::optional<QVariantList> screenSaver(const QDBusMessage& call) {
    return call.member() == "GetSessionIdleTime" ? QVariantList{uint(0)} : QVariantList{false};
}

class DesktopPresenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session_.isRunning() && system_.isRunning());
        saved_ = qgetenv("WAYLAND_DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override { qputenv("WAYLAND_DISPLAY", saved_); }

    std::unique_ptr<DesktopPresence> presence(bool x11Answers) {
        return DesktopPresence::forThisDesktop([this] { return sessionConnection_; },
                                               [this] { return systemConnection_; },
                                               [x11Answers]() -> std::unique_ptr<Presence> {
                                                   if (!x11Answers) {
                                                       return nullptr;
                                                   }
                                                   auto x11 = std::make_unique<sim::SimPresence>();
                                                   x11->setSource("X11");
                                                   return x11;
                                               });
    }

    PrivateBus session_;
    PrivateBus system_;
    QDBusConnection sessionConnection_ = session_.connect("timer");
    QDBusConnection systemConnection_ = system_.connect("timer");
    QByteArray saved_;
};

TEST_F(DesktopPresenceTest, PrefersTheCompositorThenX11ThenTheScreenSaver) {
    auto later = presence(false);
    EXPECT_EQ(later->source(), "");
    FakeService saver(session_, "org.freedesktop.ScreenSaver", screenSaver);
    EXPECT_EQ(presence(false)->source(), "ScreenSaver");
    EXPECT_EQ(presence(true)->source(), "X11");
    // Inside a Wayland session the X server is Xwayland, which sees only part of the input.
    qputenv("WAYLAND_DISPLAY", "no-such-compositor");
    EXPECT_EQ(presence(true)->source(), "ScreenSaver");

    qunsetenv("WAYLAND_DISPLAY");
    FakeService mutter(session_, "org.gnome.Mutter.IdleMonitor",
                       [](const QDBusMessage&) { return QVariantList{uint(1)}; });
    EXPECT_EQ(presence(true)->source(), "GNOME");
    // A desktop where nothing answered looks again when asked again.
    EXPECT_EQ(later->source(), "GNOME");
}

TEST_F(DesktopPresenceTest, LockedWhileLogindOrTheScreenSaverSaysSo) {
    // One connection plays logind and the screen saver (on one bus), so their signals keep
    // their order.
    const QString sessionPath = QStringLiteral("/org/freedesktop/login1/session/c1");
    const QString session = QStringLiteral("org.freedesktop.login1.Session");
    FakeService desktop(session_, "org.freedesktop.login1",
                        [&](const QDBusMessage& call) -> std::optional<QVariantList> {
                            if (call.member() == "GetSession") {
                                return QVariantList{
                                    QVariant::fromValue(QDBusObjectPath(sessionPath))};
                            }
                            if (call.arguments().value(1) == "Id") {
                                return FakeService::property(QStringLiteral("c1"));
                            }
                            if (call.member() == "Get") {
                                return FakeService::property(false);
                            }
                            return screenSaver(call);
                        });
    ASSERT_TRUE(desktop.alsoOwn("org.freedesktop.ScreenSaver"));
    systemConnection_ = sessionConnection_;
    auto presence = this->presence(false);
    PresenceReports heard;
    presence->watch(60, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return desktop.calls("Get").size() == 2; }));

    const QString saver = QStringLiteral("org.freedesktop.ScreenSaver");
    desktop.emitSignal("/org/freedesktop/ScreenSaver", saver, "ActiveChanged", {true});
    desktop.emitSignal(sessionPath, session, "Lock", {});
    desktop.emitSignal("/org/freedesktop/ScreenSaver", saver, "ActiveChanged", {false});
    ASSERT_TRUE(desktop.settle(sessionConnection_));
    EXPECT_TRUE(presence->isScreenLocked());
    desktop.emitSignal(sessionPath, session, "Unlock", {});
    ASSERT_TRUE(desktop.settle(sessionConnection_));
    EXPECT_EQ(heard.locks, (std::vector<bool>{true, false}));
    EXPECT_FALSE(presence->isScreenLocked());
}

} // namespace
} // namespace quillmere::testing
