#pragma once

#include "platform/BusyMonitor.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include <memory>
#include <optional>

class QDBusServiceWatcher;
struct _GSettings;

namespace quillmere::qt {

// The desktop's do-not-disturb: the notification server's Inhibited property where the server
// has one (KDE's does), and, on GNOME, the notification banners switched off. Never tells of a
// full-screen window.
class DoNotDisturbWatch : public QObject, public BusyMonitor {
    Q_OBJECT

public:
    explicit DoNotDisturbWatch(QDBusConnection sessionBus = QDBusConnection::sessionBus());
    ~DoNotDisturbWatch() override;

    // "Notifications" where the server has the property, "GNOME" where the banners switch
    // applies, both or neither; the first call asks the server, briefly, about the property.
    std::string source() const override;
    void watch(std::function<void(State)> changed) override;
    void unwatch() override;
    State state() const override { return {false, inhibited_ || bannersOff_}; }

private slots:
    void onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                             const QStringList& invalidated);

private:
    static bool gnomeSwitchApplies();
    void readInhibited();
    void update(bool inhibited, bool bannersOff);
    void readBanners();

    QDBusConnection bus_;
    std::unique_ptr<QDBusServiceWatcher> owner_;
    std::function<void(State)> changed_;
    _GSettings* gnomeNotifications_ = nullptr;
    unsigned long bannersHandler_ = 0;
    // Whether the server has the property, once known.
    mutable std::optional<bool> serverHasInhibited_;
    bool inhibited_ = false;
    bool bannersOff_ = false;
    unsigned generation_ = 0;
};

} // namespace quillmere::qt
