#include "platform/qt/linux/StatusNotifierItemAdaptor.h"

#include "platform/qt/linux/DBusProperties.h"
#include "platform/qt/linux/DBusTypes.h"
#include "platform/qt/linux/SniStatusItem.h"

#include <QDBusError>
#include <QDBusVariant>

namespace quillmere::qt {

namespace {

// Every property is declared: hosts built on Qt's D-Bus see only what introspection declares.
const char* const Introspection =
    "  <interface name=\"org.kde.StatusNotifierItem\">\n"
    "    <property name=\"Category\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"Id\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"Title\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"Status\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"WindowId\" type=\"i\" access=\"read\"/>\n"
    "    <property name=\"IconThemePath\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"IconName\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"IconPixmap\" type=\"a(iiay)\" access=\"read\"/>\n"
    "    <property name=\"OverlayIconName\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"OverlayIconPixmap\" type=\"a(iiay)\" access=\"read\"/>\n"
    "    <property name=\"AttentionIconName\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"AttentionIconPixmap\" type=\"a(iiay)\" access=\"read\"/>\n"
    "    <property name=\"AttentionMovieName\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"ToolTip\" type=\"(sa(iiay)ss)\" access=\"read\"/>\n"
    "    <property name=\"ItemIsMenu\" type=\"b\" access=\"read\"/>\n"
    "    <property name=\"Menu\" type=\"o\" access=\"read\"/>\n"
    "    <property name=\"XAyatanaLabel\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"XAyatanaLabelGuide\" type=\"s\" access=\"read\"/>\n"
    "    <property name=\"XAyatanaOrderingIndex\" type=\"u\" access=\"read\"/>\n"
    "    <method name=\"Activate\">\n"
    "      <arg name=\"x\" type=\"i\" direction=\"in\"/>\n"
    "      <arg name=\"y\" type=\"i\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <method name=\"SecondaryActivate\">\n"
    "      <arg name=\"x\" type=\"i\" direction=\"in\"/>\n"
    "      <arg name=\"y\" type=\"i\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <method name=\"ContextMenu\">\n"
    "      <arg name=\"x\" type=\"i\" direction=\"in\"/>\n"
    "      <arg name=\"y\" type=\"i\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <method name=\"Scroll\">\n"
    "      <arg name=\"delta\" type=\"i\" direction=\"in\"/>\n"
    "      <arg name=\"orientation\" type=\"s\" direction=\"in\"/>\n"
    "    </method>\n"
    "    <signal name=\"NewTitle\"/>\n"
    "    <signal name=\"NewIcon\"/>\n"
    "    <signal name=\"NewAttentionIcon\"/>\n"
    "    <signal name=\"NewOverlayIcon\"/>\n"
    "    <signal name=\"NewToolTip\"/>\n"
    "    <signal name=\"NewStatus\">\n"
    "      <arg name=\"status\" type=\"s\"/>\n"
    "    </signal>\n"
    "    <signal name=\"XAyatanaNewLabel\">\n"
    "      <arg name=\"label\" type=\"s\"/>\n"
    "      <arg name=\"guide\" type=\"s\"/>\n"
    "    </signal>\n"
    "  </interface>\n";

} // namespace

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(SniStatusItem& item,
                                                     QDBusConnection connection)
    : item_(item)
    , connection_(std::move(connection)) {}

void StatusNotifierItemAdaptor::notify(const char* name, const QVariantList& arguments) {
    QDBusMessage signal =
        QDBusMessage::createSignal(QString::fromLatin1(SniStatusItem::ItemPath),
                                   QString::fromLatin1(Interface), QString::fromLatin1(name));
    signal.setArguments(arguments);
    connection_.send(signal);
}

QString StatusNotifierItemAdaptor::introspect(const QString&) const {
    return QString::fromLatin1(Introspection);
}

bool StatusNotifierItemAdaptor::handleMessage(const QDBusMessage& message,
                                              const QDBusConnection& connection) {
    if (message.interface() == PropertiesInterface) {
        return answerPropertyCall(message, connection, QString::fromLatin1(Interface),
                                  [&]() -> std::optional<QVariantMap> {
                                      if (!withinBudget(message.service())) {
                                          connection.send(message.createErrorReply(
                                              QDBusError::LimitsExceeded,
                                              QStringLiteral("Too many reads; wait a second")));
                                          return std::nullopt;
                                      }
                                      return properties();
                                  });
    }
    if (message.interface() != QLatin1String(Interface)) {
        return false; // introspection and the rest: Qt answers
    }
    const QString member = message.member();
    const bool point = member == QLatin1String("Activate") ||
                       member == QLatin1String("SecondaryActivate") ||
                       member == QLatin1String("ContextMenu");
    if (!(point && message.signature() == QLatin1String("ii")) &&
        !(member == QLatin1String("Scroll") && message.signature() == QLatin1String("is"))) {
        return false;
    }
    // A click opens the menu, whichever the host reports; scrolling means nothing to a timer.
    if (point) {
        item_.popUpMenu();
    }
    connection.send(message.createReply());
    return true;
}

bool StatusNotifierItemAdaptor::withinBudget(const QString& client) {
    const auto now = std::chrono::steady_clock::now();
    constexpr auto window = std::chrono::seconds(1);
    // Clients that went quiet are forgotten, so the table stays as small as the busy ones.
    if (reads_.size() > 16) {
        erase_if(reads_, [&](const auto& entry) { return now - entry.value().since >= window; });
    }
    Reads& reads = reads_[client];
    if (now - reads.since >= window) {
        reads = Reads{now, 0};
    }
    return ++reads.count <= ReadsPerSecond;
}

const QVariantMap& StatusNotifierItemAdaptor::properties() {
    if (!properties_) {
        const QString none;
        properties_ = QVariantMap{
            {QStringLiteral("Category"), QStringLiteral("ApplicationStatus")},
            {QStringLiteral("Id"), QString::fromLatin1(SniStatusItem::ItemId)},
            {QStringLiteral("Title"), QString::fromLatin1(SniStatusItem::ItemTitle)},
            {QStringLiteral("Status"), item_.status()},
            {QStringLiteral("WindowId"), 0},
            {QStringLiteral("IconThemePath"), item_.iconThemePath()},
            {QStringLiteral("IconName"), item_.iconName()},
            {QStringLiteral("IconPixmap"), QVariant::fromValue(item_.iconPixmaps())},
            // No overlay and no attention icon: hosts keep the icon, which turns grey on a
            // reminder.
            {QStringLiteral("OverlayIconName"), none},
            {QStringLiteral("OverlayIconPixmap"), QVariant::fromValue(DBusImageList())},
            {QStringLiteral("AttentionIconName"), none},
            {QStringLiteral("AttentionIconPixmap"), QVariant::fromValue(DBusImageList())},
            {QStringLiteral("AttentionMovieName"), none},
            {QStringLiteral("ToolTip"), QVariant::fromValue(item_.toolTip())},
            // A click opens the menu; there is no window to raise.
            {QStringLiteral("ItemIsMenu"), true},
            {QStringLiteral("Menu"), QVariant::fromValue(item_.menuPath())},
            {QStringLiteral("XAyatanaLabel"), item_.label()},
            {QStringLiteral("XAyatanaLabelGuide"), QString::fromLatin1(SniStatusItem::LabelGuide)},
            {QStringLiteral("XAyatanaOrderingIndex"), 0U},
        };
    }
    return *properties_;
}

} // namespace quillmere::qt
