// Notifications through a fake notification server on a private session bus.
#include "platform/qt/linux/FreedesktopNotifications.h"
#include "FakeService.h"

#include <QDBusArgument>
#include <QDBusPendingCallWatcher>
#include <QSemaphore>

#include <gtest/gtest.h>

#include <atomic>

namespace quillmere::testing {
namespace {

const QString Name = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

TEST(FreedesktopNotificationsTest, NotifiesReplacesAndHearsOnlyItsOwnServer) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    qt::FreedesktopNotifications notifications([&] { return bus.connect("timer"); });
    std::vector<std::string> heard; // the actions chosen, and "closed"
    const auto show = [&](qt::FreedesktopNotifications& on) {
        on.show("Quillmere Timer", "Look around.", {{"restart", "Restart"}, {"snooze", "Snooze"}},
                {[&](const std::string& key) { heard.push_back(key); },
                 [&] { heard.push_back("closed"); }});
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
    ASSERT_TRUE(waitUntil([&] { return !heard.empty(); }));

    // The next replaces it, plain where the server has no buttons; once closed, the next after
    // that stands alone.
    actions = false;
    nextId = 9;
    const QVariantList second = notify(2);
    EXPECT_EQ(second[1], 7u);
    EXPECT_TRUE(second[5].toStringList().isEmpty());
    server.emitSignal(Path, Name, "NotificationClosed", {9u, 2u});
    ASSERT_TRUE(waitUntil([&] { return heard.size() == 2; }));
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
    EXPECT_EQ(heard, (std::vector<std::string>{"snooze", "closed"}));
}

} // namespace
} // namespace quillmere::testing
