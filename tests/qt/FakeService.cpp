#include "FakeService.h"

#include <QDBusVirtualObject>
#include <QMutex>

#include <algorithm>

namespace quillmere::testing {

// Answers on the service's thread; the calls are recorded once answered, so that a signal the
// test sends after seeing a call comes after the reply, as it would from a real service.
struct FakeService::Handler : QDBusVirtualObject {
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const std::optional<QVariantList> reply = answer(message);
        connection.send(reply ? message.createReply(*reply)
                              : message.createErrorReply(QDBusError::UnknownMethod, "not here"));
        const QMutexLocker lock(&mutex);
        calls.append(message);
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    Answer answer;
    QMutex mutex;
    QList<QDBusMessage> calls;
};

FakeService::FakeService(PrivateBus& bus, QString name, Answer answer)
    : bus_(bus.connect(QStringLiteral("service")))
    , name_(std::move(name))
    , handler_(std::make_unique<Handler>()) {
    handler_->answer = std::move(answer);
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
    connection.connect(bus_.baseService(), path, interface, "Settle", &marker, SLOT(hit()));
    emitSignal(path, interface, "Settle", {}, connection.baseService());
    const bool settled = waitUntil([&] { return marker.count > 0; });
    connection.disconnect(bus_.baseService(), path, interface, "Settle", &marker, SLOT(hit()));
    return settled;
}

QList<QDBusMessage> FakeService::calls(const QString& member) const {
    const QMutexLocker lock(&handler_->mutex);
    QList<QDBusMessage> matching;
    std::copy_if(handler_->calls.begin(), handler_->calls.end(), std::back_inserter(matching),
                 [&](const QDBusMessage& call) { return call.member() == member; });
    return matching;
}

} // namespace quillmere::testing
