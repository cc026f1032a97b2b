#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

namespace quillmere::testing {

// The desktop's side of the status area, as a panel plays it: the StatusNotifierWatcher that
// items register with, and the host that reads their properties, hears their signals and calls
// their menus. It talks to the item over its own connection, as another program would.
class FakeStatusArea : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")

public:
    static constexpr const char* ItemInterface = "org.kde.StatusNotifierItem";
    static constexpr const char* MenuInterface = "com.canonical.dbusmenu";

    explicit FakeStatusArea(QDBusConnection bus);
    ~FakeStatusArea() override;

    // Takes the watcher's name (starting or restarting the watcher), or lets it go.
    bool own();
    void drop();

    // Every item service registered so far, in order.
    const QStringList& registrations() const { return registrations_; }
    bool waitForRegistrations(int count);
    // The item last registered.
    QString item() const { return registrations_.isEmpty() ? QString() : registrations_.last(); }

    // A call to `item()` that waits for the answer (the item lives in this same thread).
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {});
    QVariant property(const QString& name);
    QVariantMap allProperties();
    QString introspect(const QString& path);

    // Signals heard from the item and its menu since the last clear: their names, in order.
    QStringList heard() const;
    QList<QDBusMessage> heard(const QString& name) const;
    void clearHeard() { heard_.clear(); }
    // A round trip to the item: every signal it sent before has been heard after it.
    void settle(const QString& path = QStringLiteral("/StatusNotifierItem"));

public slots:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString& service);

private slots:
    void record(const QDBusMessage& message);

private:
    QDBusConnection bus_;
    QStringList registrations_;
    QList<QDBusMessage> heard_;
};

} // namespace quillmere::testing
