#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace quillmere::qt {

// The interface through which D-Bus objects offer their properties.
inline const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// Answers a call on PropertiesInterface for an object of one interface, `interface`, whose
// properties are all read-only: Set is refused; Get and GetAll (no interface named: all of them)
// are answered from `read`, which may answer the call itself instead (an error) and give none.
// False for any other call, which Qt then answers.
bool answerPropertyCall(const QDBusMessage& message, const QDBusConnection& connection,
                        const QString& interface,
                        const std::function<std::optional<QVariantMap>()>& read);

} // namespace quillmere::qt
