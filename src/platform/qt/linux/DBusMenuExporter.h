#pragma once

#include "platform/qt/QtMenu.h"
#include "platform/qt/linux/DBusTypes.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <vector>

namespace quillmere::qt {

// Publishes a QtMenu as a com.canonical.dbusmenu object, so that a status-area host draws the
// menu itself. The root is entry 0; item i of the menu is entry i + 1 (the menu only ever grows,
// so an entry keeps its item). Hosts are told of a changed check mark or label once per turn of
// the event loop, and only when what they were last told differs.
class DBusMenuExporter : public QObject, protected QDBusContext {
    Q_OBJECT
    // Qt hands the call's context to the adaptor's parent: the adaptor answers errors through it.
    friend class DBusMenuAdaptor;

public:
    static constexpr int RootId = 0;

    DBusMenuExporter(QtMenu& menu, QDBusConnection connection, QString path);
    ~DBusMenuExporter() override;

    const QString& path() const { return path_; }
    uint revision() const { return revision_; }
    bool hasEntry(int id) const;

    // Entry `id` with its children `depth` levels down (-1: all), keeping only the properties in
    // `names` (empty: all); none for an unknown id.
    std::optional<DBusMenuLayout> layout(int id, int depth, const QStringList& names) const;
    std::optional<QVariantMap> properties(int id, const QStringList& names) const;
    // A host's event on entry `id`; false for an unknown id. "clicked" carries out the action.
    bool handleEvent(int id, const QString& eventId);

    // What dbusmenu says about one item.
    static QVariantMap itemProperties(const QtMenuItem& item);
    // A Qt action text as a dbusmenu label: "_" is doubled, a "&" mnemonic becomes "_".
    static QString label(const QString& text);

signals:
    void layoutUpdated(uint revision, int parent);
    void itemsPropertiesUpdated(const quillmere::qt::DBusMenuItemList& updated,
                                const quillmere::qt::DBusMenuItemKeysList& removed);

private:
    QVariantMap entryProperties(int id) const;
    void scheduleFlush();
    void flush();

    QtMenu& menu_;
    QDBusConnection connection_;
    QString path_;
    bool registered_ = false;
    QtMenu::ObserverId observer_ = 0;
    bool flushPending_ = false;
    uint revision_ = 1;
    // What hosts were last told, per item.
    std::vector<QVariantMap> published_;
};

} // namespace quillmere::qt
