#include "platform/qt/linux/DoNotDisturbWatch.h"

#include "platform/qt/linux/DBusReply.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

// GLib names a structure member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace quillmere::qt {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString Inhibited = QStringLiteral("Inhibited");
constexpr const char* GnomeSchema = "org.gnome.desktop.notifications";
constexpr const char* ShowBanners = "show-banners";

// GNOME's notifications schema with a Boolean "show-banners", where it is installed; never the
// abort that GSettings gives for a missing schema or key.
GSettings* gnomeNotificationSettings() {
    GSettingsSchemaSource* schemas = g_settings_schema_source_get_default();
    if (schemas == nullptr) {
        return nullptr;
    }
    GSettingsSchema* schema = g_settings_schema_source_lookup(schemas, GnomeSchema, TRUE);
    if (schema == nullptr) {
        return nullptr;
    }
    GSettings* settings = nullptr;
    if (g_settings_schema_has_key(schema, ShowBanners)) {
        GSettingsSchemaKey* key = g_settings_schema_get_key(schema, ShowBanners);
        if (g_variant_type_equal(g_settings_schema_key_get_value_type(key),
                                 G_VARIANT_TYPE_BOOLEAN)) {
            settings = g_settings_new_full(schema, nullptr, nullptr);
        }
        g_settings_schema_key_unref(key);
    }
    g_settings_schema_unref(schema);
    return settings;
}

} // namespace

DoNotDisturbWatch::DoNotDisturbWatch(QDBusConnection sessionBus)
    : bus_(std::move(sessionBus)) {}

DoNotDisturbWatch::~DoNotDisturbWatch() {
    unwatch();
}

bool DoNotDisturbWatch::gnomeSwitchApplies() {
    // The schema is often installed on other desktops too, where its switch means nothing.
    const QStringList desktops =
        QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")).split(u':', Qt::SkipEmptyParts);
    return desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
}

std::string DoNotDisturbWatch::source() const {
    if (!serverHasInhibited_) {
        serverHasInhibited_ = false;
        if (bus_.isConnected() && bus_.interface()->isServiceRegistered(Service)) {
            constexpr int TimeoutMs = 1000;
            const QDBusMessage reply = QDBusConnection(bus_).call(
                propertyGet(Service, Path, Interface, Inhibited), QDBus::Block, TimeoutMs);
            serverHasInhibited_ = propertyValue<bool>(reply).has_value();
        }
    }
    std::string names = *serverHasInhibited_ ? "Notifications" : "";
    if (gnomeSwitchApplies()) {
        if (GSettings* settings = gnomeNotificationSettings()) {
            g_object_unref(settings);
            names += names.empty() ? "GNOME" : ", GNOME";
        }
    }
    return names;
}

void DoNotDisturbWatch::watch(std::function<void(State)> changed) {
    unwatch();
    changed_ = std::move(changed);
    if (bus_.isConnected()) {
        owner_ = std::make_unique<QDBusServiceWatcher>(Service, bus_,
                                                       QDBusServiceWatcher::WatchForOwnerChange);
        connect(owner_.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this](const QString&, const QString&, const QString& newOwner) {
                    // A server that went away inhibits nothing; a new one is asked afresh.
                    ++generation_;
                    update(false, bannersOff_);
                    if (!newOwner.isEmpty()) {
                        readInhibited();
                    }
                });
        bus_.connect(Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"),
                     QStringLiteral("PropertiesChanged"), this,
                     SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
        readInhibited();
    }
    if (gnomeSwitchApplies()) {
        gnomeNotifications_ = gnomeNotificationSettings();
    }
    if (gnomeNotifications_ != nullptr) {
        // GSettings reports a change only of a key read after connecting.
        bannersHandler_ = g_signal_connect(gnomeNotifications_, "changed::show-banners",
                                           G_CALLBACK(+[](GSettings*, const char*, gpointer self) {
                                               static_cast<DoNotDisturbWatch*>(self)->readBanners();
                                           }),
                                           this);
        readBanners();
    }
}

void DoNotDisturbWatch::unwatch() {
    ++generation_;
    if (owner_) {
        owner_.reset();
        bus_.disconnect(Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"),
                        QStringLiteral("PropertiesChanged"), this,
                        SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
    }
    if (gnomeNotifications_ != nullptr) {
        g_signal_handler_disconnect(gnomeNotifications_, bannersHandler_);
        g_object_unref(gnomeNotifications_);
        gnomeNotifications_ = nullptr;
    }
    changed_ = nullptr;
    inhibited_ = false;
    bannersOff_ = false;
}

void DoNotDisturbWatch::readInhibited() {
    callAsync(bus_, propertyGet(Service, Path, Interface, Inhibited), this,
              [this, generation = generation_](const QDBusMessage& reply) {
                  if (generation != generation_) {
                      return;
                  }
                  const auto inhibited = propertyValue<bool>(reply);
                  serverHasInhibited_ = inhibited.has_value();
                  update(inhibited.value_or(false), bannersOff_);
              });
}

void DoNotDisturbWatch::readBanners() {
    update(inhibited_, !g_settings_get_boolean(gnomeNotifications_, ShowBanners));
}

void DoNotDisturbWatch::onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                            const QStringList& invalidated) {
    if (interface != Interface) {
        return;
    }
    if (const auto value = changed.find(Inhibited); value != changed.end()) {
        if (const auto inhibited = variantValue<bool>(*value)) {
            serverHasInhibited_ = true;
            update(*inhibited, bannersOff_);
        }
    } else if (invalidated.contains(Inhibited)) {
        readInhibited();
    }
}

void DoNotDisturbWatch::update(bool inhibited, bool bannersOff) {
    const State before = state();
    inhibited_ = inhibited;
    bannersOff_ = bannersOff;
    if (state() != before && changed_) {
        const auto report = changed_;
        report(state());
    }
}

} // namespace quillmere::qt
