#pragma once

#include "PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace quillmere::testing {

// The desktop's side of the status area, as a panel plays it: the StatusNotifierWatcher that
// items register with, and the host that reads their properties, hears their signals and calls
// their menus. It talks to the item over its own connection, as another program would.
class FakeStatusArea : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

public:
    explicit FakeStatusArea(QDBusConnection bus)
        : bus_(std::move(bus)) {
        bus_.registerObject("/StatusNotifierWatcher", this, QDBusConnection::ExportScriptableSlots);
        // Every signal of the item's interface and of its menu's.
        for (const char* interface : {"org.kde.StatusNotifierItem", "com.canonical.dbusmenu"}) {
            bus_.connect({}, {}, interface, {}, this, SLOT(record(QDBusMessage)));
        }
    }
    ~FakeStatusArea() override { bus_.unregisterObject("/StatusNotifierWatcher"); }

    // Takes the watcher's name (starting or restarting the watcher), or lets it go.
    bool own() { return bus_.registerService("org.kde.StatusNotifierWatcher"); }
    void drop() { bus_.unregisterService("org.kde.StatusNotifierWatcher"); }

    // Every item service registered so far, in order; the last one.
    const QStringList& registrations() const { return registrations_; }
    bool waitForRegistrations(int count) {
        return waitUntil([&] { return registrations_.size() >= count; });
    }
    QString item() const { return registrations_.isEmpty() ? QString() : registrations_.last(); }

    // A call to `item()` that waits for the answer (the item lives in this same thread).
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(item(), path, interface, method);
        message.setArguments(arguments);
        QDBusPendingCallWatcher pending(bus_.asyncCall(message));
        waitUntil([&] { return pending.isFinished(); });
        return pending.reply();
    }
    // The item's properties, one or all.
    QVariant property(const QString& name) {
        return properties("Get", {name}).value<QDBusVariant>().variant();
    }
    QVariantMap allProperties() { return qdbus_cast<QVariantMap>(properties("GetAll", {})); }

    // Signals heard from the item and its menu since the last clear: their names, in order.
    QStringList heard() const {
        QStringList names;
        for (const QDBusMessage& message : heard_) {
            names.append(message.member());
        }
        return names;
    }
    QList<QDBusMessage> heard(const QString& name) const {
        QList<QDBusMessage> found;
        std::copy_if(heard_.begin(), heard_.end(), std::back_inserter(found),
                     [&](const QDBusMessage& message) { return message.member() == name; });
        return found;
    }
    void clearHeard() { heard_.clear(); }
    // A round trip to the item: every signal it sent before has been heard after it. (Answered
    // on the item's thread, after what it had queued; libdbus would answer a Ping itself.)
    void settle(const QString& path = QStringLiteral("/StatusNotifierItem")) {
        call(path, "org.freedesktop.DBus.Introspectable", "Introspect");
    }

public slots:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString& service) {
        // An object path instead of a name means "this path on the caller's connection".
        registrations_.append(service.startsWith(u'/') ? message().service() : service);
    }

private slots:
    void record(const QDBusMessage& message) { heard_.append(message); }

private:
    QVariant properties(const QString& method, QVariantList arguments) {
        arguments.prepend("org.kde.StatusNotifierItem");
        return call("/StatusNotifierItem", "org.freedesktop.DBus.Properties", method, arguments)
            .arguments()
            .value(0);
    }

    QDBusConnection bus_;
    QStringList registrations_;
    QList<QDBusMessage> heard_;
};

} // namespace quillmere::testing
