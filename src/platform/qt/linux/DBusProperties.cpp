#include "platform/qt/linux/DBusProperties.h"

#include <QDBusError>
#include <QDBusVariant>

namespace quillmere::qt {

bool answerPropertyCall(const QDBusMessage& message, const QDBusConnection& connection,
                        const QString& interface,
                        const std::function<std::optional<QVariantMap>()>& read) {
    const QString member = message.member();
    const QVariantList arguments = message.arguments();
    const QString asked = arguments.value(0).toString();
    const bool ours = asked == interface;
    if (member == QLatin1String("Set")) {
        connection.send(message.createErrorReply(
            ours ? QDBusError::PropertyReadOnly : QDBusError::UnknownInterface, asked));
        return true;
    }
    const bool getAll = member == QLatin1String("GetAll") && message.signature() == "s";
    if (!getAll && !(member == QLatin1String("Get") && message.signature() == "ss")) {
        return false;
    }
    const std::optional<QVariantMap> properties = read();
    if (!properties) {
        return true;
    }
    if (getAll) {
        connection.send(message.createReply(
            QVariant::fromValue(ours || asked.isEmpty() ? *properties : QVariantMap())));
        return true;
    }
    const QString name = arguments.value(1).toString();
    const auto found = ours ? properties->constFind(name) : properties->constEnd();
    connection.send(found != properties->constEnd()
                        ? message.createReply(QVariant::fromValue(QDBusVariant(*found)))
                        : message.createErrorReply(QDBusError::UnknownProperty, name));
    return true;
}

} // namespace quillmere::qt
