#include "platform/qt/OsIntegration.h"

#include "platform/qt/linux/AdaptiveStatusItem.h"
#include "platform/qt/linux/DBusControl.h"
#include "platform/qt/linux/DesktopBusyMonitor.h"
#include "platform/qt/linux/DesktopPresence.h"
#include "platform/qt/linux/FreedesktopNotifications.h"
#include "platform/qt/linux/LinuxWakeNotifier.h"
#include "platform/qt/linux/X11FullScreenWatch.h"
#include "platform/qt/linux/X11IdleSource.h"
#include "platform/qt/linux/XdgAutostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace quillmere::qt {

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void forwardSignal(int) {
    const char byte = 1;
    // Only async-signal-safe work here: the main loop reads the byte.
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// The X11 sources: an X server's idle alarms and the active window's full-screen state.
std::unique_ptr<Presence> makeX11IdleSource() {
    return X11IdleSource::create();
}
std::unique_ptr<BusyMonitor> makeX11FullScreenWatch() {
    return X11FullScreenWatch::create();
}

} // namespace

std::optional<Text> missingGraphicalSession(int argc, const char* const argv[]) {
    // A platform chosen by name (offscreen, vnc, eglfs) needs no display server.
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) {
        return std::nullopt;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return std::nullopt;
        }
    }
    return translatable("OsIntegration", "neither DISPLAY nor WAYLAND_DISPLAY is set");
}

QString executableFolder() {
    // What QCoreApplication::applicationDirPath() reads, without needing the application.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

bool isPrivateFolder(const QString& folder) {
    struct stat status {};
    if (folder.isEmpty() || ::lstat(QFile::encodeName(folder).constData(), &status) != 0) {
        return false;
    }
    return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString privateRuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime)) {
        return runtime;
    }
    // A name of our own in the shared temporary folder: made here closed to others, or found
    // there and checked, since another user may have made it first.
    const QString own =
        QDir(QDir::tempPath()).filePath(QStringLiteral("quillmere-timer-%1").arg(::geteuid()));
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

std::unique_ptr<WakeNotifier> makeWakeNotifier() {
    return std::make_unique<LinuxWakeNotifier>();
}

std::unique_ptr<StatusItem> makeStatusItem(DefaultsStore& store) {
    return std::make_unique<AdaptiveStatusItem>(store);
}

void showOnAllWorkspaces(QWidget& window) {
    // Wayland has no workspaces a client may choose; the offscreen platform has no windows.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection =
        QGuiApplication::platformName() == QLatin1String("xcb") && x11 != nullptr
            ? x11->connection()
            : nullptr;
    if (connection == nullptr) {
        return;
    }
    constexpr const char* name = "_NET_WM_DESKTOP";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    if (atom == nullptr) {
        return;
    }
    // The desktop number 0xFFFFFFFF means all of them.
    const std::uint32_t all = 0xFFFFFFFF;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), atom->atom, XCB_ATOM_CARDINAL,
                        32, 1, &all);
    std::free(atom);
    xcb_flush(connection);
}

std::unique_ptr<Presence> makePresence() {
    return DesktopPresence::forThisDesktop(&QDBusConnection::sessionBus,
                                           &QDBusConnection::systemBus, makeX11IdleSource);
}

std::unique_ptr<BusyMonitor> makeBusyMonitor() {
    return DesktopBusyMonitor::forThisDesktop(&QDBusConnection::sessionBus, makeX11FullScreenWatch);
}

std::unique_ptr<Autostart> makeAutostart(const QString& executable) {
    return XdgAutostart::forThisUser(executable);
}

std::unique_ptr<Notifications> makeNotifications() {
    return std::make_unique<FreedesktopNotifications>(&QDBusConnection::sessionBus);
}

std::unique_ptr<RemoteControl> makeBusControl() {
    return std::make_unique<DBusControl>(QDBusConnection::sessionBus());
}

void onTerminationRequest(std::function<void()> handler) {
    if (signalPipe[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [handler = std::move(handler)] {
                         char byte = 0;
                         [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
                         handler();
                     });
    struct sigaction action {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace quillmere::qt
