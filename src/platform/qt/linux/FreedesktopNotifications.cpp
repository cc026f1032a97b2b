#include "platform/qt/linux/FreedesktopNotifications.h"

#include "platform/qt/linux/DBusReply.h"

#include <QDebug>
#include <QVariantMap>

#include <utility>

namespace quillmere::qt {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
// The server's default display time.
constexpr int ServerTimeout = -1;
constexpr uchar NormalUrgency = 1;

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

FreedesktopNotifications::FreedesktopNotifications(std::function<QDBusConnection()> sessionBus)
    : sessionBus_(std::move(sessionBus)) {}

FreedesktopNotifications::~FreedesktopNotifications() = default;

QDBusConnection& FreedesktopNotifications::bus() {
    if (!bus_) {
        bus_ = sessionBus_();
        // Signals from any sender: naming the service would ask the bus for its owner, and
        // wait for the answer. The sender is checked against the server that answered instead.
        bus_->connect(QString(), Path, Interface, QStringLiteral("ActionInvoked"), this,
                      SLOT(onActionInvoked(uint, QString, QDBusMessage)));
        bus_->connect(QString(), Path, Interface, QStringLiteral("NotificationClosed"), this,
                      SLOT(onClosed(uint, uint, QDBusMessage)));
    }
    return *bus_;
}

void FreedesktopNotifications::show(const std::string& title, const std::string& body,
                                    const std::vector<Action>& actions, Handlers handlers) {
    // The one shown before answers nothing any more; this one replaces it on screen.
    handlers_ = {};
    wanted_ = true;
    Request request{fromStd(title), fromStd(body), {}, std::move(handlers)};
    for (const Action& action : actions) {
        request.actions << fromStd(action.key) << fromStd(action.label);
    }
    next_ = std::move(request);
    if (!inFlight_) {
        sendNext();
    }
}

void FreedesktopNotifications::close() {
    handlers_ = {};
    next_.reset();
    wanted_ = false;
    closeShown();
}

void FreedesktopNotifications::closeShown() {
    if (shown_ != 0) {
        bus().send(methodCall(Service, Path, Interface, QStringLiteral("CloseNotification"),
                              {QVariant::fromValue(shown_)}));
        shown_ = 0;
    }
}

void FreedesktopNotifications::sendNext() {
    Request request = std::move(*next_);
    next_.reset();
    // A call on a connection that never came up is never answered: it would wait for ever.
    if (!bus().isConnected()) {
        failed(QDBusMessage());
        return;
    }
    inFlight_ = true;
    // Servers are often started by the bus on demand: this first call may start one.
    QDBusMessage call = methodCall(Service, Path, Interface, QStringLiteral("GetCapabilities"));
    call.setAutoStartService(true);
    callAsync(bus(), call, this,
              [this, request = std::move(request)](const QDBusMessage& reply) mutable {
                  const auto capabilities = firstArgument<QStringList>(reply);
                  if (!capabilities) {
                      failed(reply);
                  } else if (next_ || !wanted_) { // replaced or closed meanwhile
                      inFlight_ = false;
                      if (next_) {
                          sendNext();
                      }
                  } else {
                      notify(std::move(request), *capabilities);
                  }
              });
}

void FreedesktopNotifications::notify(Request request, const QStringList& capabilities) {
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QString::fromLatin1(AppId)},
        {QStringLiteral("urgency"), QVariant::fromValue(NormalUrgency)},
        // The program has played its own alert sound, or is muted.
        {QStringLiteral("suppress-sound"), true},
    };
    // Buttons only where the server shows them: elsewhere the notification is plain.
    const QStringList actions =
        capabilities.contains(QStringLiteral("actions")) ? request.actions : QStringList();
    const QDBusMessage call = methodCall(Service, Path, Interface, QStringLiteral("Notify"),
                                         {QString::fromLatin1(AppName), QVariant::fromValue(shown_),
                                          QString::fromLatin1(AppId), request.title, request.body,
                                          actions, hints, ServerTimeout});
    callAsync(bus(), call, this,
              [this, handlers = std::move(request.handlers)](const QDBusMessage& reply) mutable {
                  onNotified(std::move(handlers), reply);
              });
}

void FreedesktopNotifications::onNotified(Handlers handlers, const QDBusMessage& reply) {
    inFlight_ = false;
    const std::optional<uint> id = firstArgument<uint>(reply);
    if (!id) {
        failed(reply);
        return;
    }
    shown_ = *id;
    server_ = reply.service();
    if (next_) {
        sendNext(); // a newer request replaces this one
    } else if (!wanted_) {
        closeShown(); // closed while it was on its way
    } else {
        handlers_ = std::move(handlers);
    }
}

void FreedesktopNotifications::failed(const QDBusMessage& reply) {
    inFlight_ = false;
    if (!failureLogged_) {
        failureLogged_ = true;
        qWarning().noquote() << "No desktop notifications:"
                             << (reply.errorMessage().isEmpty() ? QStringLiteral("no answer")
                                                                : reply.errorMessage());
    }
    if (next_) {
        sendNext();
    }
}

bool FreedesktopNotifications::isAboutShown(uint id, const QDBusMessage& signal) const {
    return shown_ != 0 && id == shown_ && signal.service() == server_;
}

void FreedesktopNotifications::onActionInvoked(uint id, const QString& key,
                                               const QDBusMessage& signal) {
    if (!isAboutShown(id, signal)) {
        return;
    }
    // Taken out first: the handler may show the next notification at once.
    const Handlers handlers = std::exchange(handlers_, {});
    if (handlers.invoked) {
        handlers.invoked(key.toStdString());
    }
}

void FreedesktopNotifications::onClosed(uint id, uint, const QDBusMessage& signal) {
    if (!isAboutShown(id, signal)) {
        return;
    }
    shown_ = 0;
    const Handlers handlers = std::exchange(handlers_, {});
    if (handlers.closed) {
        handlers.closed();
    }
}

} // namespace quillmere::qt
