// Times a tray program from its start to its item being docked, one start at a time.
//   dock-time xembed RUNS LABEL -- PROGRAM [ARGS...]
//   dock-time sni    RUNS LABEL -- PROGRAM [ARGS...]
//   dock-time watch  (only stands in for the StatusNotifierWatcher until it is ended)
// xembed: docked when a window leaves the root window for the tray (the tray reparented the
// icon); a tray host must be running. sni: this tool is the StatusNotifierWatcher on the session
// bus, and docked is the moment it receives RegisterStatusNotifierItem. Each start is alone: the
// program is ended (SIGTERM, then SIGKILL) and has exited before the next one begins.
// Prints: LABEL HOST min median max (ms) and the number of starts that docked.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int DockTimeoutMs = 60000;

// The watcher, just enough for a host-aware client (Qt reads its properties by introspection).
class Watcher : public QDBusVirtualObject {
public:
    std::function<void()> onRegistered;

    QString introspect(const QString&) const override {
        return QStringLiteral(
            "<interface name=\"org.kde.StatusNotifierWatcher\">"
            "<method name=\"RegisterStatusNotifierItem\"><arg name=\"service\" type=\"s\" "
            "direction=\"in\"/></method>"
            "<method name=\"RegisterStatusNotifierHost\"><arg name=\"service\" type=\"s\" "
            "direction=\"in\"/></method>"
            "<property name=\"RegisteredStatusNotifierItems\" type=\"as\" access=\"read\"/>"
            "<property name=\"IsStatusNotifierHostRegistered\" type=\"b\" access=\"read\"/>"
            "<property name=\"ProtocolVersion\" type=\"i\" access=\"read\"/>"
            "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QString member = message.member();
        if (member == QLatin1String("RegisterStatusNotifierItem")) {
            if (onRegistered) {
                onRegistered();
            }
            connection.send(message.createReply());
            return true;
        }
        if (member == QLatin1String("RegisterStatusNotifierHost")) {
            connection.send(message.createReply());
            return true;
        }
        const QString property = message.arguments().value(1).toString();
        if (member == QLatin1String("Get")) {
            connection.send(
                message.createReply(QVariant::fromValue(QDBusVariant(value(property)))));
            return true;
        }
        if (member == QLatin1String("GetAll")) {
            QVariantMap all;
            for (const char* name : {"RegisteredStatusNotifierItems",
                                     "IsStatusNotifierHostRegistered", "ProtocolVersion"}) {
                all.insert(QString::fromLatin1(name), value(QString::fromLatin1(name)));
            }
            connection.send(message.createReply(all));
            return true;
        }
        return false;
    }

private:
    static QVariant value(const QString& property) {
        if (property == QLatin1String("IsStatusNotifierHostRegistered")) {
            return true;
        }
        if (property == QLatin1String("ProtocolVersion")) {
            return 0;
        }
        return QStringList();
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void endProgram(QProcess& program) {
    if (program.state() == QProcess::NotRunning) {
        return;
    }
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished(5000);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() == 2 && args[1] == QLatin1String("watch")) {
        Watcher watcher;
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.registerVirtualObject(QStringLiteral("/StatusNotifierWatcher"), &watcher) ||
            !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
            return 1;
        }
        return QCoreApplication::exec();
    }
    const qsizetype separator = args.indexOf(QStringLiteral("--"));
    if (args.size() < 6 || separator != 4 || separator + 1 >= args.size()) {
        std::fputs("usage: dock-time xembed|sni RUNS LABEL -- PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    const QString host = args[1];
    const int runs = args[2].toInt();
    const QString label = args[3];
    const QString programPath = args[separator + 1];
    const QStringList programArgs = args.mid(separator + 2);

    bool docked = false;
    Display* display = nullptr;
    std::optional<QSocketNotifier> xEvents;
    Watcher watcher;
    QEventLoop loop;

    if (host == QLatin1String("xembed")) {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            std::fputs("dock-time: no X display\n", stderr);
            return 1;
        }
        // A top-level window that the tray takes in is reparented away from the root window.
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
        XFlush(display);
        xEvents.emplace(ConnectionNumber(display), QSocketNotifier::Read);
        QObject::connect(&*xEvents, &QSocketNotifier::activated, &loop, [&] {
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == ReparentNotify &&
                    event.xreparent.parent != DefaultRootWindow(display)) {
                    docked = true;
                    loop.quit();
                }
            }
        });
    } else if (host == QLatin1String("sni")) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.registerVirtualObject(QStringLiteral("/StatusNotifierWatcher"), &watcher) ||
            !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
            std::fputs("dock-time: can't be the StatusNotifierWatcher (no session bus?)\n", stderr);
            return 1;
        }
        watcher.onRegistered = [&] {
            docked = true;
            loop.quit();
        };
    } else {
        std::fputs("dock-time: the host is xembed or sni\n", stderr);
        return 2;
    }

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess program;
        program.setStandardOutputFile(QProcess::nullDevice());
        program.setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(&program, &QProcess::finished, &loop, [&] { loop.quit(); });
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, [&] { loop.quit(); });
        docked = false;
        QElapsedTimer clock;
        clock.start();
        program.start(programPath, programArgs);
        timeout.start(DockTimeoutMs);
        loop.exec();
        const double ms = clock.nsecsElapsed() / 1e6;
        if (docked) {
            times.push_back(ms);
        } else {
            std::fprintf(stderr, "dock-time: %s start %d: %s\n", qPrintable(label), run + 1,
                         program.state() == QProcess::NotRunning ? "exited before docking"
                                                                 : "not docked in time");
        }
        endProgram(program);
        // Let the tray take the old icon out before the next one comes.
        QTimer::singleShot(300, &loop, [&] { loop.quit(); });
        loop.exec();
        if (display != nullptr) {
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
            }
        }
    }
    if (times.empty()) {
        std::printf("%-18s %-7s %8s %8s %8s %6s\n", qPrintable(label), qPrintable(host), "-", "-",
                    "-", "0");
    } else {
        std::printf("%-18s %-7s %8.0f %8.0f %8.0f %3zu/%d\n", qPrintable(label), qPrintable(host),
                    *std::min_element(times.begin(), times.end()), median(times),
                    *std::max_element(times.begin(), times.end()), times.size(), runs);
    }
    if (display != nullptr) {
        xEvents.reset();
        XCloseDisplay(display);
    }
    return 0;
}
