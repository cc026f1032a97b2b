#include "platform/qt/linux/DBusMenuAdaptor.h"

#include "platform/qt/linux/DBusMenuExporter.h"

#include <QGuiApplication>

namespace quillmere::qt {

DBusMenuAdaptor::DBusMenuAdaptor(DBusMenuExporter* exporter)
    : QDBusAbstractAdaptor(exporter)
    , exporter_(exporter) {
    connect(exporter_, &DBusMenuExporter::layoutUpdated, this, &DBusMenuAdaptor::LayoutUpdated);
    connect(exporter_, &DBusMenuExporter::itemsPropertiesUpdated, this,
            &DBusMenuAdaptor::ItemsPropertiesUpdated);
}

QString DBusMenuAdaptor::textDirection() const {
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl")
                                                                 : QStringLiteral("ltr");
}

void DBusMenuAdaptor::unknownEntry(int id) {
    exporter_->sendErrorReply(QStringLiteral("com.canonical.dbusmenu.Error.UnknownId"),
                              QStringLiteral("No menu entry %1").arg(id));
}

uint DBusMenuAdaptor::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                DBusMenuLayout& layout) {
    if (const auto found = exporter_->layout(parentId, recursionDepth, propertyNames)) {
        layout = *found;
    } else {
        unknownEntry(parentId);
    }
    return exporter_->revision();
}

DBusMenuItemList DBusMenuAdaptor::GetGroupProperties(const QList<int>& ids,
                                                     const QStringList& propertyNames) {
    DBusMenuItemList result;
    for (const int id : ids) {
        // Unknown ids are left out, as the protocol asks.
        if (const auto properties = exporter_->properties(id, propertyNames)) {
            result.append(DBusMenuItem{id, *properties});
        }
    }
    return result;
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString& name) {
    const auto properties = exporter_->properties(id, {name});
    if (!properties) {
        unknownEntry(id);
        return {};
    }
    if (!properties->contains(name)) {
        exporter_->sendErrorReply(
            QStringLiteral("com.canonical.dbusmenu.Error.UnknownProperty"),
            QStringLiteral("Menu entry %1 has no property %2").arg(id).arg(name));
        return {};
    }
    return QDBusVariant(properties->value(name));
}

void DBusMenuAdaptor::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    if (!exporter_->handleEvent(id, eventId)) {
        unknownEntry(id);
    }
}

QList<int> DBusMenuAdaptor::EventGroup(const DBusMenuEventList& events) {
    QList<int> idErrors;
    for (const DBusMenuEvent& event : events) {
        if (!exporter_->handleEvent(event.id, event.eventId)) {
            idErrors.append(event.id);
        }
    }
    return idErrors;
}

bool DBusMenuAdaptor::AboutToShow(int id) {
    if (!exporter_->hasEntry(id)) {
        unknownEntry(id);
    }
    // Hosts hear of every change as it happens: nothing to refresh before showing.
    return false;
}

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    for (const int id : ids) {
        if (!exporter_->hasEntry(id)) {
            idErrors.append(id);
        }
    }
    return {};
}

} // namespace quillmere::qt
