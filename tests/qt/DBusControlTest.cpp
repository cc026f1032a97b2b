// The timer's D-Bus interface, as a script or a shell extension sees it on a private bus.
#include "platform/qt/linux/DBusControl.h"
#include "PrivateBus.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QObject>

#include <gtest/gtest.h>

namespace quillmere::qt {
namespace {

using testing::waitUntil;
using Words = std::vector<std::string>;

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
    QDBusMessage properties(const QString& member, const QVariantList& arguments) {
        return call("org.freedesktop.DBus.Properties", member, arguments);
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

    EXPECT_EQ(method("Pause", {QVariant::fromValue(5U)}).type(), QDBusMessage::ReplyMessage);
    const QDBusMessage refused = method("Pause", {QVariant::fromValue(0U)});
    EXPECT_EQ(refused.errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(refused.errorMessage(), "not 0");
    EXPECT_EQ(method("Pause", {QString("5")}).type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(received, (std::vector<Words>{{"pause", "5"}, {"pause", "0"}}));

    const QVariantMap all = qdbus_cast<QVariantMap>(
        properties("GetAll", {DBusControl::Interface}).arguments().value(0));
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

#include "DBusControlTest.moc"
