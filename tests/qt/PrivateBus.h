#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <functional>

namespace quillmere::testing {

// A session bus of the test's own (a dbus-daemon with a minimal configuration), so that no test
// ever touches the user's bus. Connections made through it are closed before it stops.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool isRunning() const { return !address_.isEmpty(); }
    const QString& address() const { return address_; }
    // A new connection to the bus, as another program would have.
    QDBusConnection connect(const QString& role);

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
    QStringList connections_;
};

// Runs the event loop until `done` holds, for at most `timeout`; whether it holds.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

} // namespace quillmere::testing
