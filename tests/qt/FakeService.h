#pragma once

#include "PrivateBus.h"
#include "platform/Presence.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QThread>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quillmere::testing {

// A desktop service on a private bus, played by the test: it answers every call at any path
// with what `answer` returns (none: an error reply) and sends the signals the test asks for. It
// runs on a thread of its own, so that a program's blocking call to it gets its answer.
class FakeService {
public:
    using Answer = std::function<std::optional<QVariantList>(const QDBusMessage& call)>;

    FakeService(PrivateBus& bus, QString name, Answer answer);
    ~FakeService();
    FakeService(const FakeService&) = delete;
    FakeService& operator=(const FakeService&) = delete;

    // Takes the name (the service starts or restarts), or lets it go (the service vanishes).
    bool own() { return bus_.registerService(name_); }
    void drop() { bus_.unregisterService(name_); }
    // Takes another name on the same connection: its signals then come in order with the first's.
    bool alsoOwn(const QString& name) { return bus_.registerService(name); }

    // Sends a signal from `path`; only to `destination` when one is given.
    void emitSignal(const QString& path, const QString& interface, const QString& name,
                    const QVariantList& arguments, const QString& destination = {});
    // Waits until `connection` has handled every signal sent to it from here before: the
    // answer to "did nothing happen?" without waiting for nothing.
    bool settle(QDBusConnection& connection);
    // The calls of `member` received so far.
    QList<QDBusMessage> calls(const QString& member) const;
    // A property's value as org.freedesktop.DBus.Properties.Get answers it.
    static QVariantList property(const QVariant& value) {
        return {QVariant::fromValue(QDBusVariant(value))};
    }

private:
    struct Handler;
    QDBusConnection bus_;
    QString name_;
    QThread thread_;
    std::unique_ptr<Handler> handler_;
};

// Counts a signal it is connected to.
class SignalCounter : public QObject {
    Q_OBJECT
public:
    int count = 0;
public slots:
    void hit() { ++count; }
};

// What a presence source told its observer, in order.
struct PresenceReports {
    int idle = 0;
    std::vector<double> active;
    std::vector<bool> locks;
    Presence::Observer observer() {
        return {[this] { ++idle; }, [this](double away) { active.push_back(away); },
                [this](bool locked) { locks.push_back(locked); }};
    }
};

} // namespace quillmere::testing
