#include "platform/qt/linux/DBusControl.h"

#include "platform/qt/linux/DBusProperties.h"

#include <QDBusError>
#include <QDBusVariant>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>
#include <string>
#include <vector>

namespace quillmere::qt {

namespace {

const char* const Introspection =
    "  <interface name=\"org.quillmere.Timer1\">\n"
    "    <method name=\"Restart\"/>\n"
    "    <method name=\"Pause\">\n"
    "      <arg name=\"minutes\" type=\"u\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <method name=\"Resume\"/>\n"
    "    <method name=\"Mute\"/>\n"
    "    <method name=\"Unmute\"/>\n"
    "    <property name=\"State\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"Title\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"SecondsLeft\" type=\"x\" access=\"read\">\n"
    "      <annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" "
    "value=\"false\"/>\n"
    "    </property>\n"
    "    <property name=\"Muted\" type=\"b\" access=\"read\"/>\n"
    "    <property name=\"Paused\" type=\"b\" access=\"read\"/>\n"
    "  </interface>\n";

QVariantMap properties(const RemoteStatus& status) {
    return {{QStringLiteral("State"), QString::fromStdString(status.state)},
            {QStringLiteral("Title"), QString::fromStdString(status.title)},
            {QStringLiteral("SecondsLeft"), qlonglong{status.secondsLeft}},
            {QStringLiteral("Muted"), status.muted},
            {QStringLiteral("Paused"), status.paused}};
}

// The command a method call asks for, as the command line would say it; empty for none.
std::vector<std::string> commandOf(const QDBusMessage& message) {
    const QString member = message.member();
    const QString signature = message.signature();
    if (member == QLatin1String("Pause") && signature == QLatin1String("u")) {
        return {"pause", std::to_string(message.arguments().value(0).toUInt())};
    }
    if (!signature.isEmpty()) {
        return {};
    }
    for (const char* name : {"Restart", "Resume", "Mute", "Unmute"}) {
        if (member == QLatin1String(name)) {
            return {QString::fromLatin1(name).toLower().toStdString()};
        }
    }
    return {};
}

} // namespace

DBusControl::DBusControl(QDBusConnection connection)
    : connection_(std::move(connection)) {}

DBusControl::~DBusControl() {
    stop();
}

void DBusControl::start(Handlers handlers) {
    handlers_ = std::move(handlers);
    if (!connection_.isConnected()) {
        return; // no session bus: the command line still works
    }
    registered_ = connection_.registerVirtualObject(QString::fromLatin1(Path), this);
    ownsName_ = registered_ && connection_.registerService(QString::fromLatin1(Service));
    if (registered_ && !ownsName_) {
        std::fprintf(stderr, "%s is taken on the session bus: no D-Bus interface\n", Service);
    }
}

void DBusControl::stop() {
    if (ownsName_) {
        connection_.unregisterService(QString::fromLatin1(Service));
    }
    if (registered_) {
        connection_.unregisterObject(QString::fromLatin1(Path));
    }
    registered_ = ownsName_ = false;
    handlers_ = {};
}

void DBusControl::publish(const RemoteStatus& status, Changes changes) {
    if (!registered_) {
        return;
    }
    QVariantMap changed = properties(status);
    changed.remove(QStringLiteral("SecondsLeft"));
    const std::pair<const char*, bool> parts[] = {{"State", changes.state},
                                                  {"Title", changes.title},
                                                  {"Muted", changes.muted},
                                                  {"Paused", changes.paused}};
    for (const auto& [name, isChanged] : parts) {
        if (!isChanged) {
            changed.remove(QString::fromLatin1(name));
        }
    }
    if (changed.isEmpty()) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(Path), PropertiesInterface,
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(Interface) << changed << QStringList();
    connection_.send(signal);
}

QString DBusControl::introspect(const QString&) const {
    return QString::fromLatin1(Introspection);
}

bool DBusControl::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.interface() == PropertiesInterface) {
        return answerPropertyCall(message, connection, QString::fromLatin1(Interface), [this] {
            // Registered only while started, so the status is there to read.
            return handlers_.status ? properties(handlers_.status()) : QVariantMap();
        });
    }
    // A call may leave the interface out; the members are ours alone then.
    if (!message.interface().isEmpty() && message.interface() != QLatin1String(Interface)) {
        return false;
    }
    const std::vector<std::string> words = commandOf(message);
    if (words.empty() || !handlers_.command) {
        return false; // Qt answers that there is no such method
    }
    const RemoteReply reply = handlers_.command(words);
    connection.send(
        reply.kind == RemoteReply::Kind::Refused
            ? message.createErrorReply(QDBusError::InvalidArgs, QString::fromStdString(reply.text))
            : message.createReply());
    return true;
}

} // namespace quillmere::qt
