// Screen locks from logind's session object, played by a fake on a private system bus.
#include "platform/qt/linux/LogindLockWatch.h"
#include "FakeService.h"

#include <QDBusObjectPath>

#include <gtest/gtest.h>

#include <atomic>

namespace quillmere::testing {
namespace {

const QString Name = QStringLiteral("org.freedesktop.login1");
const QString SessionPath = QStringLiteral("/org/freedesktop/login1/session/c7");
const QString Session = QStringLiteral("org.freedesktop.login1.Session");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

TEST(LogindLockWatchTest, FollowsLockUnlockAndTheHintAcrossRestarts) {
    PrivateBus systemBus;
    ASSERT_TRUE(systemBus.isRunning());
    std::atomic<bool> lockedHint{true};
    FakeService logind(
        systemBus, Name, [&](const QDBusMessage& call) -> std::optional<QVariantList> {
            const QVariantList& args = call.arguments();
            if (call.member() == "GetSession" && args.value(0) == "c7") {
                return QVariantList{QVariant::fromValue(QDBusObjectPath(SessionPath))};
            }
            if (call.member() == "Get" && call.path().endsWith("/auto") && args.value(1) == "Id") {
                return FakeService::property(QStringLiteral("c7"));
            }
            if (call.member() == "Get" && call.path() == SessionPath &&
                args.value(1) == "LockedHint") {
                return FakeService::property(bool(lockedHint));
            }
            return std::nullopt;
        });
    QDBusConnection timerBus = systemBus.connect("timer");
    qt::LogindLockWatch watch(timerBus);
    PresenceReports heard;
    watch.watch(60, heard.observer());
    ASSERT_TRUE(waitUntil([&] { return heard.locks == std::vector<bool>{true}; }));

    logind.emitSignal(SessionPath, Properties, "PropertiesChanged",
                      {Session, QVariantMap{{"LockedHint", false}}, QStringList()});
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 2; }));
    logind.emitSignal(SessionPath, Session, "Lock", {});
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 3; }));
    logind.emitSignal(SessionPath, Session, "Unlock", {});
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 4; }));
    EXPECT_EQ(heard.locks, (std::vector<bool>{true, false, true, false}));

    // Not logind, not a Boolean, another session: none of them is a lock.
    QDBusConnection impostor = systemBus.connect("impostor");
    impostor.send(QDBusMessage::createSignal(SessionPath, Session, "Lock"));
    logind.emitSignal(SessionPath, Properties, "PropertiesChanged",
                      {Session, QVariantMap{{"LockedHint", "yes"}}, QStringList()});
    logind.emitSignal("/org/freedesktop/login1/session/c8", Session, "Lock", {});
    ASSERT_TRUE(logind.settle(timerBus));
    EXPECT_EQ(heard.locks.size(), 4u);

    // A restarted logind is asked again, and still knows the screen is locked.
    lockedHint = true;
    logind.drop();
    ASSERT_TRUE(logind.own());
    ASSERT_TRUE(waitUntil([&] { return heard.locks.size() == 5; }));
    EXPECT_TRUE(watch.isScreenLocked());

    watch.unwatch();
    for (const QString& rule : logind.matchRules(timerBus.baseService())) {
        EXPECT_FALSE(rule.contains(Name)) << rule.toStdString();
    }
}

} // namespace
} // namespace quillmere::testing
