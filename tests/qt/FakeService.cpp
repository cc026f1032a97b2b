#include "FakeService.h"

#include <QDBusArgument>
#include <QDBusVirtualObject>
#include <QMap>
#include <QMutexLocker>

namespace quillmere::testing {

class FakeService::Handler : public QDBusVirtualObject {
public:
    explicit Handler(Answer answer)
        : answer_(std::move(answer)) {}

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const std::optional<QVariantList> reply = answer_(message);
        connection.send(reply ? message.createReply(*reply)
                              : message.createErrorReply(QDBusError::UnknownMethod,
                                                         QStringLiteral("not here")));
        // Recorded once answered: a signal the test sends after seeing the call comes after the
        // reply, as it would from a real service.
        QMutexLocker lock(&mutex_);
        calls_.append(message);
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    QList<QDBusMessage> calls(const QString& member) const {
        QMutexLocker lock(&mutex_);
        QList<QDBusMessage> matching;
        for (const QDBusMessage& call : calls_) {
            if (call.member() == member) {
                matching.append(call);
            }
        }
        return matching;
    }

private:
    Answer answer_;
    mutable QMutex mutex_;
    QList<QDBusMessage> calls_;
};

FakeService::FakeService(PrivateBus& bus, QString name, Answer answer)
    : bus_(bus.connect(QStringLiteral("service")))
    , name_(std::move(name))
    , handler_(std::make_unique<Handler>(std::move(answer))) {
    bus_.registerVirtualObject(QStringLiteral("/"), handler_.get(), QDBusConnection::SubPath);
    thread_.start();
    handler_->moveToThread(&thread_);
    own();
}

FakeService::~FakeService() {
    bus_.unregisterObject(QStringLiteral("/"));
    thread_.quit();
    thread_.wait();
}

bool FakeService::own() {
    return bus_.registerService(name_);
}

void FakeService::drop() {
    bus_.unregisterService(name_);
}

void FakeService::emitSignal(const QString& path, const QString& interface, const QString& name,
                             const QVariantList& arguments, const QString& destination) {
    QDBusMessage signal =
        destination.isEmpty()
            ? QDBusMessage::createSignal(path, interface, name)
            : QDBusMessage::createTargetedSignal(destination, path, interface, name);
    signal.setArguments(arguments);
    bus_.send(signal);
}

bool FakeService::settle(QDBusConnection& connection) {
    const QString path = QStringLiteral("/org/quillmere/Test");
    const QString interface = QStringLiteral("org.quillmere.Test");
    SignalCounter marker;
    connection.connect(bus_.baseService(), path, interface, QStringLiteral("Settle"), &marker,
                       SLOT(hit()));
    emitSignal(path, interface, QStringLiteral("Settle"), {}, connection.baseService());
    const bool settled = waitUntil([&] { return marker.count > 0; });
    connection.disconnect(bus_.baseService(), path, interface, QStringLiteral("Settle"), &marker,
                          SLOT(hit()));
    return settled;
}

QList<QDBusMessage> FakeService::calls(const QString& member) const {
    return handler_->calls(member);
}

QStringList FakeService::matchRules(const QString& uniqueName) {
    const QDBusMessage reply = bus_.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus.Debug.Stats"), QStringLiteral("GetAllMatchRules")));
    QMap<QString, QStringList> rules;
    if (!reply.arguments().isEmpty()) {
        reply.arguments().constFirst().value<QDBusArgument>() >> rules;
    }
    return rules.value(uniqueName);
}

} // namespace quillmere::testing
