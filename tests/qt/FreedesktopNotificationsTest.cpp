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

// What the program heard back.
struct Heard {
    std::vector<std::string> actions;
    int closed = 0;
    Notifications::Handlers handlers() {
        return {[this](const std::string& key) { actions.push_back(key); }, [this] { ++closed; }};
    }
};

const std::vector<Notifications::Action> Buttons{{"restart", "Restart"}, {"snooze", "Snooze"}};

bool nothingPending(qt::FreedesktopNotifications& notifications) {
    return waitUntil(
        [&] { return notifications.findChildren<QDBusPendingCallWatcher*>().isEmpty(); });
}

TEST(FreedesktopNotificationsTest, NotifiesReplacesAndHearsItsOwnServersAnswers) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    std::atomic<bool> actions{true};
    std::atomic<uint> nextId{7};
    // The server can hold its answer to Notify until the test lets it go.
    std::atomic<bool> holdNotify{false};
    std::atomic<bool> notifyHeld{false};
    QSemaphore answerNotify;
    FakeService server(bus, Name, [&](const QDBusMessage& call) -> std::optional<QVariantList> {
        if (call.member() == "GetCapabilities") {
            return QVariantList{actions ? QStringList{"body", "actions"} : QStringList{"body"}};
        }
        if (call.member() == "Notify") {
            if (holdNotify) {
                notifyHeld = true;
                answerNotify.acquire();
            }
            return QVariantList{QVariant::fromValue(uint(nextId))};
        }
        return QVariantList{};
    });
    qt::FreedesktopNotifications notifications([&] { return bus.connect("timer"); });
    Heard heard;
    notifications.show("Quillmere Timer", "Look around.", Buttons, heard.handlers());
    ASSERT_TRUE(waitUntil([&] { return server.calls("Notify").size() == 1; }));
    const QVariantList first = server.calls("Notify")[0].arguments();
    ASSERT_EQ(first.size(), 8);
    EXPECT_EQ(first[0], "Quillmere Timer");
    EXPECT_EQ(first[1].value<uint>(), 0u);
    EXPECT_EQ(first[2], "org.quillmere.Timer");
    EXPECT_EQ(first[3], "Quillmere Timer");
    EXPECT_EQ(first[4], "Look around.");
    EXPECT_EQ(first[5].toStringList(), (QStringList{"restart", "Restart", "snooze", "Snooze"}));
    const auto hints = qdbus_cast<QVariantMap>(first[6]);
    EXPECT_EQ(hints.value("desktop-entry"), "org.quillmere.Timer");
    EXPECT_EQ(hints.value("urgency").metaType(), QMetaType::fromType<uchar>());
    EXPECT_EQ(hints.value("urgency").value<uchar>(), 1);
    EXPECT_EQ(first[7].toInt(), -1);
    ASSERT_TRUE(nothingPending(notifications));

    // Only the server that showed it speaks for it, and only of the one on screen.
    QDBusConnection other = bus.connect("other");
    QDBusMessage forged = QDBusMessage::createSignal(Path, Name, "ActionInvoked");
    forged << uint(7) << QStringLiteral("restart");
    other.send(forged);
    server.emitSignal(Path, Name, "ActionInvoked", {uint(8), QStringLiteral("restart")});
    server.emitSignal(Path, Name, "ActionInvoked", {uint(7), QStringLiteral("snooze")});
    ASSERT_TRUE(waitUntil([&] { return !heard.actions.empty(); }));
    EXPECT_TRUE(server.settle(other));
    EXPECT_EQ(heard.actions, std::vector<std::string>{"snooze"});

    // The next replaces it; where the server has no buttons it comes without them.
    actions = false;
    nextId = 9;
    notifications.show("Quillmere Timer", "Again.", Buttons, heard.handlers());
    ASSERT_TRUE(waitUntil([&] { return server.calls("Notify").size() == 2; }));
    EXPECT_EQ(server.calls("Notify")[1].arguments()[1].value<uint>(), 7u);
    EXPECT_TRUE(server.calls("Notify")[1].arguments()[5].toStringList().isEmpty());
    ASSERT_TRUE(nothingPending(notifications));
    server.emitSignal(Path, Name, "NotificationClosed", {uint(9), uint(2)});
    ASSERT_TRUE(waitUntil([&] { return heard.closed == 1; }));

    // Closed by the program: the server is told, and the next one stands alone.
    notifications.show("Quillmere Timer", "Third.", Buttons, heard.handlers());
    ASSERT_TRUE(waitUntil([&] { return server.calls("Notify").size() == 3; }));
    EXPECT_EQ(server.calls("Notify")[2].arguments()[1].value<uint>(), 0u);
    ASSERT_TRUE(nothingPending(notifications));
    notifications.close();
    ASSERT_TRUE(waitUntil([&] { return server.calls("CloseNotification").size() == 1; }));
    EXPECT_EQ(server.calls("CloseNotification")[0].arguments()[0].value<uint>(), 9u);
    server.emitSignal(Path, Name, "NotificationClosed", {uint(9), uint(3)});
    EXPECT_TRUE(server.settle(other));
    EXPECT_EQ(heard.closed, 1);

    // Closed while on its way: what it shows is taken away as soon as it is known.
    holdNotify = true;
    nextId = 11;
    notifications.show("Quillmere Timer", "Fourth.", Buttons, heard.handlers());
    ASSERT_TRUE(waitUntil([&] { return bool(notifyHeld); }));
    notifications.close();
    answerNotify.release();
    ASSERT_TRUE(waitUntil([&] { return server.calls("CloseNotification").size() == 2; }));
    EXPECT_EQ(server.calls("CloseNotification")[1].arguments()[0].value<uint>(), 11u);
    ASSERT_TRUE(nothingPending(notifications));
}

TEST(FreedesktopNotificationsTest, NoServerShowsNothingAndLeavesNothingPending) {
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    qt::FreedesktopNotifications notifications([&] { return bus.connect("timer"); });
    Heard heard;
    notifications.show("Quillmere Timer", "Look around.", Buttons, heard.handlers());
    notifications.show("Quillmere Timer", "Again.", Buttons, heard.handlers());
    ASSERT_TRUE(nothingPending(notifications));
    notifications.close();

    qt::FreedesktopNotifications noBus([] { return QDBusConnection(QStringLiteral("none")); });
    noBus.show("Quillmere Timer", "Look around.", Buttons, heard.handlers());
    noBus.close();
    EXPECT_TRUE(heard.actions.empty());
    EXPECT_EQ(heard.closed, 0);
}

} // namespace
} // namespace quillmere::testing
