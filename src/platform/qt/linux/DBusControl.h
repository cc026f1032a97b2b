#pragma once

#include "platform/RemoteControl.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>

namespace quillmere::qt {

// The timer's D-Bus interface on the session bus, for shell extensions and scripts: the
// commands as methods, what the item shows as read-only properties. PropertiesChanged tells every
// change but the time left: that changes each second, and a signal each second would wake every
// listener for what few of them need, so SecondsLeft is declared as emitting none and clients read
// it when they need it.
class DBusControl : public QDBusVirtualObject, public RemoteControl {
public:
    static constexpr const char* Service = "org.quillmere.Timer";
    static constexpr const char* Path = "/org/quillmere/Timer";
    static constexpr const char* Interface = "org.quillmere.Timer1";

    explicit DBusControl(QDBusConnection connection);
    ~DBusControl() override;

    // Puts the object and then the name on the bus. Without a bus, or with the name taken by
    // another program, the timer runs on without it.
    void start(Handlers handlers) override;
    void stop() override;
    void publish(const RemoteStatus& status, Changes changes) override;
    // Whether the well-known name is this program's.
    bool ownsName() const { return ownsName_; }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QDBusConnection connection_;
    Handlers handlers_;
    bool registered_ = false;
    bool ownsName_ = false;
};

} // namespace quillmere::qt
