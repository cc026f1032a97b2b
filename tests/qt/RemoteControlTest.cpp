// Commands from outside: over the single-instance socket, with real sockets and a separate
// flooding process; and over the timer's D-Bus interface, as a script or a shell extension sees
// it on a private bus.
#include "PrivateBus.h"
#include "platform/qt/ControlSocket.h"
#include "platform/qt/LocalServer.h"
#include "platform/qt/linux/DBusControl.h"

#include <QDBusArgument>
#include <QDBusPendingCall>
#include <QFile>
#include <QLocalSocket>
#include <QObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillmere::qt {
namespace {

using testing::waitUntil;
using Words = std::vector<std::string>;

// A connection without Qt, as another program makes it; sends `request` and never reads.
int rawClient(const char* path, const QByteArray& request) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        ::send(fd, request.constData(), static_cast<std::size_t>(request.size()), MSG_NOSIGNAL);
    }
    return fd;
}

class ControlSocketTest : public ::testing::Test {
protected:
    ControlSocketTest() {
        server.listen(folder.filePath("timer.socket"));
        path = server.path().toLocal8Bit();
        control.start({[this](const Words& words) {
                           received.push_back(words);
                           return words.front() == "watch"
                                      ? RemoteReply{RemoteReply::Kind::Watch, "10m"}
                                  : words.front() == "bad"
                                      ? RemoteReply{RemoteReply::Kind::Refused, "unknown command"}
                                      : RemoteReply{};
                       },
                       [] { return RemoteStatus{}; }});
    }

    // A client's request, and all it got until the connection closed (or three seconds).
    QByteArray ask(const QByteArray& request) {
        QLocalSocket client;
        client.connectToServer(server.path());
        client.write(request);
        waitUntil([&] { return client.state() == QLocalSocket::UnconnectedState; });
        return client.readAll();
    }
    void publishTitle(const std::string& title) {
        control.publish({"", title, "", 0, false, false}, {false, true, false, false});
    }

    QTemporaryDir folder;
    LocalServer server;
    QByteArray path; // made before a fork: the child allocates nothing
    ControlSocket control{server};
    std::vector<Words> received;
};

TEST_F(ControlSocketTest, OneLineInOneLineOutAndWhatCannotBeReadIsRefused) {
    // Only this user may send commands.
    EXPECT_EQ(QFile::permissions(server.path()) &
                  ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              0);
    EXPECT_EQ(ask("pause \t 30\r\n"), "ok\n");
    EXPECT_EQ(ask("bad\n"), "error: unknown command\n");
    EXPECT_EQ(received, (std::vector<Words>{{"pause", "30"}, {"bad"}}));
    EXPECT_EQ(ask("status\xff\xfe\n"), "error: request is not UTF-8\n");
    EXPECT_EQ(ask(QByteArray(ControlSocket::MaxRequest + 100, 'a') + "\n"),
              "error: request too long\n");
    EXPECT_EQ(received.size(), 2u);
    EXPECT_TRUE(waitUntil([&] { return control.clients() == 0; }));

    // Connections that say nothing make room for one that does: the oldest goes.
    std::vector<int> silent;
    for (int i = 1; i <= ControlSocket::MaxClients; ++i) {
        silent.push_back(rawClient(path.constData(), ""));
        ASSERT_TRUE(waitUntil([&] { return control.clients() == i; }));
    }
    EXPECT_EQ(ask("restart\n"), "ok\n");
    EXPECT_TRUE(waitUntil([&] { return control.clients() == ControlSocket::MaxClients - 1; }));
    std::for_each(silent.begin(), silent.end(), ::close);
}

TEST_F(ControlSocketTest, AFloodLeavesNothingBehindAndAWatcherThatStopsReadingIsDropped) {
    QLocalSocket watcher;
    watcher.connectToServer(server.path());
    watcher.write("watch\n");
    const auto nextLine = [&] {
        waitUntil([&] { return watcher.canReadLine(); });
        return watcher.readLine();
    };
    EXPECT_EQ(nextLine(), "10m\n");
    // Another process opens 2,000 connections as fast as it can: a request, garbage, a request
    // too long, or nothing; it closes each without reading the answer.
    const QByteArray requests[] = {"status\n", "\x01\x02\xff\n",
                                   QByteArray(ControlSocket::MaxRequest * 2, 'a'), ""};
    const pid_t flood = ::fork();
    if (flood == 0) {
        for (int i = 0; i < 2000; ++i) {
            ::close(rawClient(path.constData(), requests[i % 4]));
        }
        ::_exit(0);
    }
    bool ended = false; // reaped once only
    EXPECT_TRUE(
        waitUntil([&] { return ended = ended || ::waitpid(flood, nullptr, WNOHANG) == flood; },
                  std::chrono::seconds(60)));
    EXPECT_TRUE(waitUntil([&] { return control.clients() == 1; }));
    EXPECT_GT(received.size(), 50u);
    EXPECT_EQ(ask("status\n"), "ok\n");

    // Titles far longer than any real one fill a deaf watcher's socket quickly.
    const int deaf = rawClient(path.constData(), "watch\n");
    ASSERT_TRUE(waitUntil([&] { return control.watchers() == 2; }));
    for (int i = 0; i < 1000 && control.watchers() == 2; ++i) {
        publishTitle(std::string(1000, 'x'));
        ASSERT_EQ(nextLine().size(), 1001);
    }
    EXPECT_EQ(control.watchers(), 1);
    control.publish(RemoteStatus{}, {true, false, true, true}); // the title stayed
    publishTitle("9m");
    EXPECT_EQ(nextLine(), "9m\n");
    ::close(deaf);
}

class Heard : public QObject {
    Q_OBJECT
public:
    QList<QDBusMessage> signals_;
public slots:
    void record(const QDBusMessage& message) { signals_.append(message); }
};

class DBusControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        control.start({[this](const Words& words) {
                           received.push_back(words);
                           return words == Words{"pause", "0"}
                                      ? RemoteReply{RemoteReply::Kind::Refused, "not 0"}
                                      : RemoteReply{};
                       },
                       [] { return RemoteStatus{"Paused", "\u201612m", "", -61, true, true}; }});
        ASSERT_TRUE(control.ownsName());
    }

    QDBusMessage call(const QString& interface, const QString& member,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(DBusControl::Service,
                                                              DBusControl::Path, interface, member);
        message.setArguments(arguments);
        QDBusPendingCall pending = client.asyncCall(message);
        waitUntil([&] { return pending.isFinished(); });
        return pending.reply();
    }
    QDBusMessage method(const QString& member, const QVariantList& arguments = {}) {
        return call(DBusControl::Interface, member, arguments);
    }

    testing::PrivateBus bus;
    QDBusConnection client = bus.connect("client");
    DBusControl control{bus.connect("timer")};
    std::vector<Words> received;
};

// Methods run the commands, a refusal is an error with its reason; properties tell the status,
// and their change signal what changed, never the time left; a second instance or no bus at all
// publishes nothing and does not fail.
TEST_F(DBusControlTest, MethodsAreTheCommandsAndPropertiesTellTheStatusAndWhatChanged) {
    DBusControl second(bus.connect("second"));
    second.start({[](const Words&) { return RemoteReply{}; }, [] { return RemoteStatus{}; }});
    EXPECT_FALSE(second.ownsName());
    second.publish(RemoteStatus{}, {true, true, true, true});
    DBusControl noBus(QDBusConnection(QStringLiteral("no such bus")));
    noBus.start({});
    noBus.publish(RemoteStatus{}, {true, true, true, true});
    EXPECT_FALSE(noBus.ownsName());

    const QDBusMessage refused = method("Pause", {QVariant::fromValue(0U)});
    EXPECT_EQ(refused.errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(refused.errorMessage(), "not 0");
    EXPECT_EQ(method("Pause", {QString("5")}).type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(received, (std::vector<Words>{{"pause", "0"}}));

    const QVariantMap all = qdbus_cast<QVariantMap>(
        call("org.freedesktop.DBus.Properties", "GetAll", {DBusControl::Interface})
            .arguments()
            .value(0));
    EXPECT_EQ(all.value("Title"), QString("\u201612m"));
    EXPECT_EQ(all.value("SecondsLeft"), QVariant(qlonglong{-61}));
    const QString xml =
        call("org.freedesktop.DBus.Introspectable", "Introspect").arguments().value(0).toString();
    EXPECT_TRUE(xml.contains("<property name=\"SecondsLeft\" type=\"x\" access=\"read\">\n"
                             "      <annotation "
                             "name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" "
                             "value=\"false\"/>"))
        << xml.toStdString();

    Heard heard;
    ASSERT_TRUE(client.connect({}, DBusControl::Path, "org.freedesktop.DBus.Properties",
                               "PropertiesChanged", &heard, SLOT(record(QDBusMessage))));
    // Qt asks the bus for the signal on its own thread: wait until the bus has the rule.
    ASSERT_TRUE(waitUntil([&] {
        const QDBusMessage reply = client.call(
            QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                           "org.freedesktop.DBus.Debug.Stats", "GetAllMatchRules"));
        QMap<QString, QStringList> rules;
        if (!reply.arguments().isEmpty()) {
            reply.arguments().constFirst().value<QDBusArgument>() >> rules;
        }
        return rules.value(client.baseService()).join(' ').contains("PropertiesChanged");
    }));
    RemoteStatus status{"Timing", "9m", "", 539, false, false};
    control.publish(status, {false, false, false, false});
    control.publish(status, {false, true, false, false});
    status.muted = true;
    control.publish(status, {false, false, true, false});
    method("Restart"); // a round trip: every signal sent before has arrived
    ASSERT_EQ(heard.signals_.size(), 2);
    EXPECT_EQ(heard.signals_[0].arguments().value(0), QString(DBusControl::Interface));
    EXPECT_EQ(qdbus_cast<QVariantMap>(heard.signals_[0].arguments().value(1)),
              (QVariantMap{{"Title", QString("9m")}}));
    EXPECT_EQ(qdbus_cast<QVariantMap>(heard.signals_[1].arguments().value(1)),
              (QVariantMap{{"Muted", true}}));
}

} // namespace
} // namespace quillmere::qt

#include "RemoteControlTest.moc"
