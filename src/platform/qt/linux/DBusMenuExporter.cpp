#include "platform/qt/linux/DBusMenuExporter.h"

#include "platform/qt/linux/DBusMenuAdaptor.h"

#include <QAction>
#include <QPointer>
#include <QTimer>

namespace quillmere::qt {

namespace {

QVariantMap only(const QVariantMap& properties, const QStringList& names) {
    if (names.isEmpty()) {
        return properties;
    }
    QVariantMap kept;
    for (const QString& name : names) {
        if (const auto found = properties.constFind(name); found != properties.constEnd()) {
            kept.insert(name, found.value());
        }
    }
    return kept;
}

} // namespace

DBusMenuExporter::DBusMenuExporter(QtMenu& menu, QDBusConnection connection, QString path)
    : menu_(menu)
    , connection_(std::move(connection))
    , path_(std::move(path)) {
    registerDBusTypes();
    for (const auto& item : menu_.items()) {
        published_.push_back(itemProperties(*item));
    }
    new DBusMenuAdaptor(this);
    registered_ = connection_.isConnected() &&
                  connection_.registerObject(path_, this, QDBusConnection::ExportAdaptors);
    observer_ = menu_.addObserver([this] { scheduleFlush(); });
}

DBusMenuExporter::~DBusMenuExporter() {
    menu_.removeObserver(observer_);
    // Closed already when the process ends through exit(), after Qt's D-Bus.
    if (registered_ && connection_.isConnected()) {
        connection_.unregisterObject(path_);
    }
}

bool DBusMenuExporter::hasEntry(int id) const {
    return id >= RootId && static_cast<std::size_t>(id) <= menu_.items().size();
}

QVariantMap DBusMenuExporter::entryProperties(int id) const {
    if (id == RootId) {
        return {{QStringLiteral("children-display"), QStringLiteral("submenu")}};
    }
    return itemProperties(*menu_.items().at(static_cast<std::size_t>(id - 1)));
}

std::optional<DBusMenuLayout> DBusMenuExporter::layout(int id, int depth,
                                                       const QStringList& names) const {
    if (!hasEntry(id)) {
        return std::nullopt;
    }
    DBusMenuLayout entry{id, only(entryProperties(id), names), {}};
    if (id == RootId && depth != 0) {
        for (std::size_t index = 0; index < menu_.items().size(); ++index) {
            const int child = static_cast<int>(index) + 1;
            entry.children.append(DBusMenuLayout{child, only(entryProperties(child), names), {}});
        }
    }
    return entry;
}

std::optional<QVariantMap> DBusMenuExporter::properties(int id, const QStringList& names) const {
    if (!hasEntry(id)) {
        return std::nullopt;
    }
    return only(entryProperties(id), names);
}

bool DBusMenuExporter::handleEvent(int id, const QString& eventId) {
    if (!hasEntry(id)) {
        return false;
    }
    if (id != RootId && eventId == QLatin1String("clicked")) {
        // Queued: an action may run a modal window, and the host waits for this call's reply
        // before it lets go of its own menu.
        QPointer<QAction> action = menu_.items().at(static_cast<std::size_t>(id - 1))->action();
        QMetaObject::invokeMethod(
            this,
            [action] {
                if (action) {
                    action->trigger();
                }
            },
            Qt::QueuedConnection);
    }
    return true;
}

QVariantMap DBusMenuExporter::itemProperties(const QtMenuItem& item) {
    const QAction* action = item.action();
    QVariantMap properties;
    properties.insert(QStringLiteral("visible"), action->isVisible());
    if (item.isSeparator()) {
        properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
        return properties;
    }
    properties.insert(QStringLiteral("label"), label(action->text()));
    properties.insert(QStringLiteral("enabled"), action->isEnabled());
    if (action->isCheckable()) {
        properties.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
        properties.insert(QStringLiteral("toggle-state"), action->isChecked() ? 1 : 0);
    }
    if (!item.keyEquivalent().empty()) {
        const DBusMenuShortcut shortcut{
            {QStringLiteral("Control"), QString::fromStdString(item.keyEquivalent())}};
        properties.insert(QStringLiteral("shortcut"), QVariant::fromValue(shortcut));
    }
    return properties;
}

QString DBusMenuExporter::label(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar c = text.at(index);
        if (c == u'_') {
            result += QStringLiteral("__");
        } else if (c == u'&' && index + 1 < text.size()) {
            // "&&" is a literal ampersand; "&x" marks x as the mnemonic.
            ++index;
            if (text.at(index) != u'&') {
                result += u'_';
            }
            result += text.at(index);
        } else {
            result += c;
        }
    }
    return result;
}

void DBusMenuExporter::scheduleFlush() {
    if (flushPending_) {
        return;
    }
    flushPending_ = true;
    QTimer::singleShot(0, this, &DBusMenuExporter::flush);
}

void DBusMenuExporter::flush() {
    flushPending_ = false;
    const auto& items = menu_.items();
    if (items.size() != published_.size()) {
        published_.clear();
        for (const auto& item : items) {
            published_.push_back(itemProperties(*item));
        }
        emit layoutUpdated(++revision_, RootId);
        return;
    }
    DBusMenuItemList updated;
    DBusMenuItemKeysList removed;
    for (std::size_t index = 0; index < items.size(); ++index) {
        const QVariantMap now = itemProperties(*items[index]);
        QVariantMap& before = published_[index];
        QVariantMap changed;
        for (auto it = now.constBegin(); it != now.constEnd(); ++it) {
            if (!before.contains(it.key()) || before.value(it.key()) != it.value()) {
                changed.insert(it.key(), it.value());
            }
        }
        QStringList gone;
        for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
            if (!now.contains(it.key())) {
                gone.append(it.key());
            }
        }
        const int id = static_cast<int>(index) + 1;
        if (!changed.isEmpty()) {
            updated.append(DBusMenuItem{id, changed});
        }
        if (!gone.isEmpty()) {
            removed.append(DBusMenuItemKeys{id, gone});
        }
        before = now;
    }
    if (updated.isEmpty() && removed.isEmpty()) {
        return;
    }
    emit itemsPropertiesUpdated(updated, removed);
    // Hosts that only rebuild on a layout change (older dbusmenu clients) hear of it too.
    emit layoutUpdated(++revision_, RootId);
}

} // namespace quillmere::qt
