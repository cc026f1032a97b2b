#include "PrivateBus.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <atomic>
#include <csignal>

#include <sys/prctl.h>

namespace quillmere::testing {

PrivateBus::PrivateBus() {
    const QString config = folder_.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!folder_.isValid() || !file.open(QIODevice::WriteOnly)) {
        return;
    }
    // Anyone may own any name and call anything: the test plays every part.
    file.write(
        QStringLiteral("<!DOCTYPE busconfig PUBLIC "
                       "\"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                       "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                       "<auth>EXTERNAL</auth><policy context=\"default\">"
                       "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                       "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n")
            .arg(folder_.path())
            .toUtf8());
    file.close();
    // The daemon ends with the test process, even one that crashed.
    daemon_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                   QStringLiteral("--print-address")});
    QByteArray line;
    while (!line.endsWith('\n') && daemon_.waitForReadyRead(5000)) {
        line += daemon_.readAllStandardOutput();
    }
    address_ = QString::fromUtf8(line).trimmed();
}

PrivateBus::~PrivateBus() {
    for (const QString& name : connections_) {
        QDBusConnection::disconnectFromBus(name);
    }
    daemon_.kill(); // nothing on it is kept
    daemon_.waitForFinished(3000);
}

QDBusConnection PrivateBus::connect(const QString& role) {
    static std::atomic<int> counter{0};
    const QString name = QStringLiteral("test-%1-%2").arg(role).arg(++counter);
    connections_.append(name);
    return QDBusConnection::connectToBus(address_, name);
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    if (done()) {
        return true;
    }
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    check.start(std::chrono::milliseconds(2));
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

} // namespace quillmere::testing
