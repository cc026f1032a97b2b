#include "FakeStatusArea.h"

#include "PrivateBus.h"

#include <QDBusArgument>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace quillmere::testing {

namespace {

const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString ItemPath = QStringLiteral("/StatusNotifierItem");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

} // namespace

FakeStatusArea::FakeStatusArea(QDBusConnection bus)
    : bus_(std::move(bus)) {
    bus_.registerObject(WatcherPath, this, QDBusConnection::ExportScriptableSlots);
    for (const char* name : {"NewTitle", "NewIcon", "NewAttentionIcon", "NewOverlayIcon",
                             "NewToolTip", "NewStatus", "XAyatanaNewLabel"}) {
        bus_.connect({}, {}, ItemInterface, name, this, SLOT(record(QDBusMessage)));
    }
    for (const char* name : {"ItemsPropertiesUpdated", "LayoutUpdated"}) {
        bus_.connect({}, {}, MenuInterface, name, this, SLOT(record(QDBusMessage)));
    }
}

FakeStatusArea::~FakeStatusArea() {
    bus_.unregisterObject(WatcherPath);
}

bool FakeStatusArea::own() {
    return bus_.registerService(WatcherService);
}

void FakeStatusArea::drop() {
    bus_.unregisterService(WatcherService);
}

void FakeStatusArea::RegisterStatusNotifierItem(const QString& service) {
    // An object path instead of a name means "this path on the caller's connection".
    registrations_.append(service.startsWith(u'/') ? message().service() : service);
}

bool FakeStatusArea::waitForRegistrations(int count) {
    return waitUntil([&] { return registrations_.size() >= count; });
}

QDBusMessage FakeStatusArea::call(const QString& path, const QString& interface,
                                  const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(item(), path, interface, method);
    message.setArguments(arguments);
    QDBusPendingCallWatcher pending(bus_.asyncCall(message));
    waitUntil([&] { return pending.isFinished(); });
    return pending.reply();
}

QVariant FakeStatusArea::property(const QString& name) {
    const QDBusMessage reply = call(ItemPath, Properties, QStringLiteral("Get"),
                                    {QString::fromLatin1(ItemInterface), name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().at(0).value<QDBusVariant>().variant();
}

QVariantMap FakeStatusArea::allProperties() {
    const QDBusMessage reply =
        call(ItemPath, Properties, QStringLiteral("GetAll"), {QString::fromLatin1(ItemInterface)});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    QVariantMap properties;
    reply.arguments().at(0).value<QDBusArgument>() >> properties;
    return properties;
}

QString FakeStatusArea::introspect(const QString& path) {
    const QDBusMessage reply = call(path, QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                    QStringLiteral("Introspect"));
    return reply.arguments().isEmpty() ? QString() : reply.arguments().at(0).toString();
}

QStringList FakeStatusArea::heard() const {
    QStringList names;
    for (const QDBusMessage& message : heard_) {
        names.append(message.member());
    }
    return names;
}

QList<QDBusMessage> FakeStatusArea::heard(const QString& name) const {
    QList<QDBusMessage> found;
    for (const QDBusMessage& message : heard_) {
        if (message.member() == name) {
            found.append(message);
        }
    }
    return found;
}

void FakeStatusArea::settle(const QString& path) {
    // Answered on the item's thread, after what it had queued (libdbus would answer a Ping
    // itself); signals and replies from one sender arrive in the order they were sent.
    call(path, QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
}

void FakeStatusArea::record(const QDBusMessage& message) {
    heard_.append(message);
}

} // namespace quillmere::testing
