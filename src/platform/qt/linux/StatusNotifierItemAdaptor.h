#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QHash>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <chrono>
#include <optional>

namespace quillmere::qt {

class SniStatusItem;

// The org.kde.StatusNotifierItem object of a SniStatusItem on the bus: its properties, methods
// and signals. Property answers are built once per change and kept, so a read costs no more than
// sending them. A client that reads faster than any host would (a flood) gets a short error past
// its budget, so it can neither stall the program nor pile answers up in its memory.
class StatusNotifierItemAdaptor : public QDBusVirtualObject {
    Q_OBJECT

public:
    static constexpr const char* Interface = "org.kde.StatusNotifierItem";
    // Property reads one client gets answered in full each second. Hosts read a handful when
    // the item registers or announces a change.
    static constexpr int ReadsPerSecond = 100;

    StatusNotifierItemAdaptor(SniStatusItem& item, QDBusConnection connection);

    // What the properties say changed: the answers are built again at the next read.
    void changed() { properties_.reset(); }
    // Sends the interface's signal `name`.
    void notify(const char* name, const QVariantList& arguments = {});

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    const QVariantMap& properties();
    bool withinBudget(const QString& client);

    SniStatusItem& item_;
    QDBusConnection connection_;
    std::optional<QVariantMap> properties_;
    struct Reads {
        std::chrono::steady_clock::time_point since;
        int count = 0;
    };
    QHash<QString, Reads> reads_;
};

} // namespace quillmere::qt
