#pragma once

// The structures the status item and its menu carry over D-Bus, with their wire signatures. They
// are plain records of one protocol, kept together so both sides (and the tests' host) agree.

#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace quillmere::qt {

// (iiay): one picture, ARGB32 in network byte order.
struct DBusImage {
    int width = 0;
    int height = 0;
    QByteArray argb;
};
using DBusImageList = QList<DBusImage>;

// (sa(iiay)ss): icon name, icon pictures, title, description.
struct DBusToolTip {
    QString iconName;
    DBusImageList images;
    QString title;
    QString description;
};

// (ia{sv}av): a menu entry with its properties and, recursively, its children.
struct DBusMenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};

// (ia{sv}): an entry's properties.
struct DBusMenuItem {
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemList = QList<DBusMenuItem>;

// (ias): property names an entry no longer has.
struct DBusMenuItemKeys {
    int id = 0;
    QStringList names;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// (isvu): one event of a group.
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

// aas: a key combination, e.g. [["Control", "r"]].
using DBusMenuShortcut = QList<QStringList>;

// Makes the types above known to Qt's D-Bus; safe to call more than once.
void registerDBusTypes();

QDBusArgument& operator<<(QDBusArgument& argument, const DBusImage& image);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusImage& image);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& toolTip);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayout& layout);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayout& layout);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemKeys& keys);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemKeys& keys);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event);

} // namespace quillmere::qt

Q_DECLARE_METATYPE(quillmere::qt::DBusImage)
Q_DECLARE_METATYPE(quillmere::qt::DBusToolTip)
Q_DECLARE_METATYPE(quillmere::qt::DBusMenuLayout)
Q_DECLARE_METATYPE(quillmere::qt::DBusMenuItem)
Q_DECLARE_METATYPE(quillmere::qt::DBusMenuItemKeys)
Q_DECLARE_METATYPE(quillmere::qt::DBusMenuEvent)
