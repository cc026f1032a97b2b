#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QObject>
#include <QVariant>

#include <functional>
#include <optional>

namespace quillmere::qt {

// What the desktop's services answer is read defensively: a reply of another type than the
// interface promises (an old or foreign implementation, or garbage) reads as no answer.

// The first argument of `reply` when it is a method reply whose first argument has type T.
template <typename T> std::optional<T> firstArgument(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    const QVariant& value = reply.arguments().constFirst();
    if (value.metaType() != QMetaType::fromType<T>()) {
        return std::nullopt;
    }
    return value.value<T>();
}

// The value in a variant (as a property carries it) when it has type T.
template <typename T> std::optional<T> variantValue(const QVariant& value) {
    const QVariant inner = value.metaType() == QMetaType::fromType<QDBusVariant>()
                               ? value.value<QDBusVariant>().variant()
                               : value;
    if (inner.metaType() != QMetaType::fromType<T>()) {
        return std::nullopt;
    }
    return inner.value<T>();
}

// The value of an org.freedesktop.DBus.Properties.Get reply when it has type T.
template <typename T> std::optional<T> propertyValue(const QDBusMessage& reply) {
    const auto variant = firstArgument<QDBusVariant>(reply);
    return variant ? variantValue<T>(variant->variant()) : std::nullopt;
}

// A method call that never starts a service that isn't running.
inline QDBusMessage methodCall(const QString& service, const QString& path,
                               const QString& interface, const QString& method,
                               const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    call.setAutoStartService(false);
    return call;
}

// A call to read one property.
inline QDBusMessage propertyGet(const QString& service, const QString& path,
                                const QString& interface, const QString& property) {
    return methodCall(service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                      QStringLiteral("Get"), {interface, property});
}

// Sends `call` and hands its reply (or error) to `done` on the event loop, unless `context` is
// gone by then. The desktop's services answer within a few seconds or not at all.
inline void callAsync(const QDBusConnection& bus, const QDBusMessage& call, QObject* context,
                      std::function<void(const QDBusMessage&)> done) {
    constexpr int TimeoutMs = 5000;
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call, TimeoutMs), context);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, context,
                     [pending, done = std::move(done)] {
                         pending->deleteLater();
                         done(pending->reply());
                     });
}

} // namespace quillmere::qt
