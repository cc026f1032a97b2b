#include "platform/qt/linux/DoNotDisturbWatch.h"

#include "platform/qt/linux/DBusReply.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

// GLib names a structure member "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <dlfcn.h>

#include <optional>
#include <type_traits>

namespace quillmere::qt {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString Inhibited = QStringLiteral("Inhibited");
constexpr const char* GnomeSchema = "org.gnome.desktop.notifications";
constexpr const char* ShowBanners = "show-banners";

// GIO, loaded where the GNOME switch is read and nowhere else: linked in, it would cost every
// run about 1 MB of memory and a little start-up time for a setting that is off by default.
struct Gio {
    decltype(&g_settings_schema_source_get_default) schemaSourceDefault;
    decltype(&g_settings_schema_source_lookup) lookup;
    decltype(&g_settings_schema_has_key) hasKey;
    decltype(&g_settings_schema_get_key) key;
    decltype(&g_settings_schema_key_get_value_type) valueType;
    decltype(&g_settings_schema_key_unref) keyUnref;
    decltype(&g_settings_schema_unref) schemaUnref;
    decltype(&g_variant_type_equal) typeEqual;
    decltype(&g_settings_new_full) settingsNew;
    decltype(&g_settings_get_boolean) getBoolean;
    decltype(&g_signal_connect_data) connect;
    decltype(&g_signal_handler_disconnect) disconnect;
    decltype(&g_object_unref) unref;
};

// None where GIO is not installed.
const Gio* gio() {
    static const std::optional<Gio> loaded = []() -> std::optional<Gio> {
        // Never closed: its types and signal handlers live as long as the process.
        void* library = ::dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return std::nullopt;
        }
        bool complete = true;
        const auto find = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                ::dlsym(library, name));
            complete = complete && function != nullptr;
        };
        Gio g{};
        find(g.schemaSourceDefault, "g_settings_schema_source_get_default");
        find(g.lookup, "g_settings_schema_source_lookup");
        find(g.hasKey, "g_settings_schema_has_key");
        find(g.key, "g_settings_schema_get_key");
        find(g.valueType, "g_settings_schema_key_get_value_type");
        find(g.keyUnref, "g_settings_schema_key_unref");
        find(g.schemaUnref, "g_settings_schema_unref");
        find(g.typeEqual, "g_variant_type_equal");
        find(g.settingsNew, "g_settings_new_full");
        find(g.getBoolean, "g_settings_get_boolean");
        find(g.connect, "g_signal_connect_data");
        find(g.disconnect, "g_signal_handler_disconnect");
        find(g.unref, "g_object_unref");
        return complete ? std::optional<Gio>(g) : std::nullopt;
    }();
    return loaded ? &*loaded : nullptr;
}

// GNOME's notifications schema with a Boolean "show-banners", where it is installed; never the
// abort that GSettings gives for a missing schema or key.
GSettings* gnomeNotificationSettings() {
    const Gio* g = gio();
    GSettingsSchemaSource* schemas = g != nullptr ? g->schemaSourceDefault() : nullptr;
    if (schemas == nullptr) {
        return nullptr;
    }
    GSettingsSchema* schema = g->lookup(schemas, GnomeSchema, TRUE);
    if (schema == nullptr) {
        return nullptr;
    }
    GSettings* settings = nullptr;
    if (g->hasKey(schema, ShowBanners)) {
        GSettingsSchemaKey* key = g->key(schema, ShowBanners);
        if (g->typeEqual(g->valueType(key), G_VARIANT_TYPE_BOOLEAN)) {
            settings = g->settingsNew(schema, nullptr, nullptr);
        }
        g->keyUnref(key);
    }
    g->schemaUnref(schema);
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
            gio()->unref(settings);
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
        bannersHandler_ = gio()->connect(gnomeNotifications_, "changed::show-banners",
                                         G_CALLBACK(+[](GSettings*, const char*, gpointer self) {
                                             static_cast<DoNotDisturbWatch*>(self)->readBanners();
                                         }),
                                         this, nullptr, GConnectFlags{});
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
        gio()->disconnect(gnomeNotifications_, bannersHandler_);
        gio()->unref(gnomeNotifications_);
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
    update(inhibited_, !gio()->getBoolean(gnomeNotifications_, ShowBanners));
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
