#pragma once

#include "platform/Notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace quillmere::qt {

// Notifications through the desktop's notification server (org.freedesktop.Notifications on the
// session bus). Every call is asynchronous: a server that is slow or missing never holds up the
// program, and where none answers nothing is shown. One request is in flight at a time; a newer
// one waits for it and then replaces what it showed.
class FreedesktopNotifications : public QObject, public Notifications {
    Q_OBJECT

public:
    static constexpr const char* AppName = "Quillmere Timer";
    static constexpr const char* AppId = "org.quillmere.Timer";

    // `sessionBus` is connected to at the first notification, not before.
    explicit FreedesktopNotifications(std::function<QDBusConnection()> sessionBus);
    ~FreedesktopNotifications() override;

    void show(const std::string& title, const std::string& body, const std::vector<Action>& actions,
              Handlers handlers) override;
    void close() override;

private slots:
    void onActionInvoked(uint id, const QString& key, const QDBusMessage& signal);
    void onClosed(uint id, uint reason, const QDBusMessage& signal);

private:
    struct Request {
        QString title;
        QString body;
        QStringList actions; // key, label, key, label, ...
        Handlers handlers;
    };

    QDBusConnection& bus();
    // Sends the waiting request: the server's capabilities first, then the notification.
    void sendNext();
    void notify(Request request, const QStringList& capabilities);
    void onNotified(Handlers handlers, const QDBusMessage& reply);
    void closeShown();
    void failed(const QDBusMessage& reply);
    // Whether `signal` is about the notification shown, from the server that shows it.
    bool isAboutShown(uint id, const QDBusMessage& signal) const;

    std::function<QDBusConnection()> sessionBus_;
    std::optional<QDBusConnection> bus_;
    std::optional<Request> next_;
    bool inFlight_ = false;
    // False once closed: what a request in flight shows is then closed when it comes.
    bool wanted_ = false;
    // The notification on screen (the server's id, 0 for none) and the server's unique name.
    uint shown_ = 0;
    QString server_;
    // Its handlers; empty once it has been answered, replaced or closed.
    Handlers handlers_;
    bool failureLogged_ = false;
};

} // namespace quillmere::qt
